#include "lsp/document_text.h"

#include <algorithm>
#include <cctype>

#include "text/utf8.h"
#include "text/windows1252.h"

namespace brindle::lsp {

std::string Utf8Text(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    const char32_t c = Windows1252ToUnicode(byte);
    AppendUtf8(out, c != 0 ? c : byte);
  }
  return out;
}

std::string ScriptBytes(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = NextUtf8Character(utf8, i);
    const int byte = c == kMalformedUtf8 ? -1 : Windows1252ByteOf(c);
    // A character outside the basic plane is two code units for the editor.
    if (c != kMalformedUtf8 && c > 0xFFFF) bytes += '?';
    bytes += byte >= 0 ? static_cast<char>(byte) : '?';
  }
  return bytes;
}

size_t OffsetOf(const LineIndex& lines, Position at) {
  if (at.line < 0 || static_cast<size_t>(at.line) >= lines.LineCount()) return lines.SourceSize();
  const size_t line = static_cast<size_t>(at.line);
  const size_t start = lines.LineStart(line);
  return start +
         std::min(static_cast<size_t>(std::max(at.character, 0)), lines.LineEnd(line) - start);
}

Position PositionOf(const LineIndex& lines, size_t offset) {
  const SourcePosition at = lines.At(offset);
  return {at.line - 1, at.column - 1};
}

std::string LocalPathOfUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return "";
  uri.remove_prefix(kScheme.size());
  // file://host/path: only the local host (none, or localhost) names a file here.
  const size_t slash = uri.find('/');
  if (slash == std::string_view::npos) return "";
  const std::string_view host = uri.substr(0, slash);
  if (!host.empty() && host != "localhost") return "";
  std::string path;
  for (size_t i = slash; i < uri.size(); ++i) {
    if (uri[i] != '%') {
      path += uri[i];
      continue;
    }
    if (i + 2 >= uri.size() || !std::isxdigit(static_cast<unsigned char>(uri[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
      return "";
    }
    path += static_cast<char>(std::stoi(std::string(uri.substr(i + 1, 2)), nullptr, 16));
    i += 2;
  }
  return path.find('\0') == std::string::npos ? path : "";
}

}  // namespace brindle::lsp
