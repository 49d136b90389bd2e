#include "lsp/document_text.h"

#include <algorithm>

#include "platform/utf8.h"
#include "platform/windows1252.h"

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

size_t OffsetOf(std::string_view bytes, Position at) {
  size_t line_start = 0;
  for (int line = 0; line < at.line; ++line) {
    const size_t feed = bytes.find('\n', line_start);
    if (feed == std::string_view::npos) return bytes.size();
    line_start = feed + 1;
  }
  const size_t line_end = std::min(bytes.find('\n', line_start), bytes.size());
  return line_start +
         std::min(static_cast<size_t>(std::max(at.character, 0)), line_end - line_start);
}

Position PositionOf(std::string_view bytes, size_t offset) {
  const std::string_view before = bytes.substr(0, std::min(offset, bytes.size()));
  const size_t last_feed = before.rfind('\n');
  const size_t line_start = last_feed == std::string_view::npos ? 0 : last_feed + 1;
  return {static_cast<int>(std::count(before.begin(), before.end(), '\n')),
          static_cast<int>(before.size() - line_start)};
}

}  // namespace brindle::lsp
