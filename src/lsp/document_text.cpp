#include "lsp/document_text.h"

#include <algorithm>
#include <array>

namespace brindle::lsp {
namespace {

// The characters of Windows-1252's bytes 0x80 to 0x9F (0 where the byte has none).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// The code point at s[i] and its length; a byte that starts no sequence stands for itself.
char32_t Decode(std::string_view s, size_t i, size_t& length) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (lead < 0xC0 || i + length > s.size()) {
    length = 1;
    return lead;
  }
  char32_t c = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
  return c;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string Utf8Text(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    const bool high_control = byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0;
    AppendUtf8(high_control ? kHighControls[byte - 0x80] : byte, out);
  }
  return out;
}

std::string ScriptBytes(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (size_t i = 0, length = 1; i < utf8.size(); i += length) {
    const char32_t c = Decode(utf8, i, length);
    // A character outside the basic plane is two code units for the editor.
    bytes += c > 0xFFFF ? std::string("??") : std::string(1, ByteOf(c));
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
