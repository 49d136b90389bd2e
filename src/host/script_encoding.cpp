#include "host/script_encoding.h"

#include <algorithm>
#include <utility>

#include "text/utf8.h"
#include "text/windows1252.h"

namespace brindle {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool HasMultiByteCharacters(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool IsUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    if (NextUtf8Character(bytes, i) == kMalformedUtf8) return false;
  }
  return true;
}

DecodedScript FromUtf8(std::string_view bytes) {
  DecodedScript out;
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  out.text.reserve(bytes.size());
  size_t line_start = 0;
  for (size_t i = 0; i < bytes.size();) {
    const char32_t c = NextUtf8Character(bytes, i);
    if (c == kMalformedUtf8) {
      out.malformed_at = out.text.size();
      return out;
    }
    const int byte = Windows1252ByteOf(c);
    if (byte >= 0) {
      out.text.push_back(static_cast<char>(byte));
      if (c == '\n') line_start = out.text.size();
      continue;
    }
    if (!out.unmapped.empty() && out.unmapped.back().offset >= line_start) {
      ++out.unmapped.back().more_on_line;
    } else {
      out.unmapped.push_back({out.text.size(), c, 0});
    }
    out.text.push_back('?');
  }
  return out;
}

}  // namespace

std::optional<ScriptEncoding> ParseScriptEncoding(std::string_view name) {
  if (name == "auto") return ScriptEncoding::kAuto;
  if (name == "utf-8" || name == "utf8") return ScriptEncoding::kUtf8;
  if (name == "cp1252") return ScriptEncoding::kCp1252;
  return std::nullopt;
}

DecodedScript DecodeScript(std::string bytes, ScriptEncoding encoding) {
  // A byte-order mark says UTF-8 outright; without one, bytes above 0x7F that happen to form
  // UTF-8 are all but never meant as Windows-1252 ("Ã©" for "é").
  const bool utf8 =
      encoding == ScriptEncoding::kUtf8 ||
      (encoding == ScriptEncoding::kAuto &&
       (bytes.starts_with(kByteOrderMark) || (HasMultiByteCharacters(bytes) && IsUtf8(bytes))));
  if (utf8) return FromUtf8(bytes);
  return {std::move(bytes), {}, std::nullopt};
}

}  // namespace brindle
