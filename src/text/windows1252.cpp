#include "text/windows1252.h"

#include <array>
#include <cstddef>

namespace brindle {
namespace {

// 0x80-0x9F, the part of Windows-1252 that differs from Latin-1; 0 where the code page
// defines no character. Eight to a line, from 0x80.
// clang-format off
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
// clang-format on

}  // namespace

char32_t Windows1252ToUnicode(unsigned char byte) {
  if (byte < 0x20 || byte == 0x7F) return 0;
  if (byte >= 0x80 && byte < 0xA0) return kWindows1252High[byte - 0x80];
  return byte;
}

int Windows1252ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  if (c < 0xA0) return -1;
  for (size_t i = 0; i < kWindows1252High.size(); ++i) {
    if (kWindows1252High[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace brindle
