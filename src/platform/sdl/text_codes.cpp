#include "platform/sdl/text_codes.h"

#include <cstdint>

#include "platform/canvas_font.h"

namespace brindle {
namespace {

constexpr char32_t kMalformed = 0xFFFFFFFF;

// The next character of utf8 from position i, which moves past it; kMalformed for a malformed
// sequence, whose first byte alone is skipped.
char32_t NextCharacter(std::string_view utf8, size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i++]);
  if (lead < 0x80) return lead;
  int more;
  char32_t c;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3, c = lead & 0x07;
  } else {
    return kMalformed;
  }
  if (i + more > utf8.size()) return kMalformed;
  for (int k = 0; k < more; ++k) {
    const auto b = static_cast<unsigned char>(utf8[i + k]);
    if ((b & 0xC0) != 0x80) return kMalformed;
    c = c << 6 | (b & 0x3F);
  }
  // Overlong forms, surrogates and values past Unicode are malformed too.
  static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[more] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return kMalformed;
  i += more;
  return c;
}

// The Windows-1252 byte of a character, 0 when the code page has none.
unsigned char ByteOf(char32_t c) {
  if (c < 0x80) return static_cast<unsigned char>(c);
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    if (Windows1252ToUnicode(static_cast<unsigned char>(byte)) == c) {
      return static_cast<unsigned char>(byte);
    }
  }
  return 0;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | c >> 6));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | c >> 12));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::string Windows1252FromUtf8(std::string_view utf8) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCharacter(utf8, i);
    if (c == kMalformed || c < 0x20 || (c >= 0x7F && c < 0xA0)) continue;
    const unsigned char byte = ByteOf(c);
    bytes.push_back(byte != 0 ? static_cast<char>(byte) : '?');
  }
  return bytes;
}

std::string Utf8FromWindows1252(std::string_view bytes) {
  std::string utf8;
  for (const char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    const char32_t c = byte < 0x80 ? byte : Windows1252ToUnicode(byte);
    AppendUtf8(utf8, c >= 0x20 && c != 0x7F ? c : U' ');
  }
  return utf8;
}

}  // namespace brindle
