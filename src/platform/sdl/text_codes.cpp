#include "platform/sdl/text_codes.h"

#include "text/utf8.h"
#include "text/windows1252.h"

namespace brindle {

std::string Windows1252FromUtf8(std::string_view utf8) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = NextUtf8Character(utf8, i);
    if (c == kMalformedUtf8 || c < 0x20 || (c >= 0x7F && c < 0xA0)) continue;
    const int byte = Windows1252ByteOf(c);
    bytes.push_back(byte >= 0 ? static_cast<char>(byte) : '?');
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
