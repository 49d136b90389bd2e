#include "text/utf8.h"

namespace brindle {

char32_t NextUtf8Character(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
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
    return kMalformedUtf8;
  }
  if (i + more > text.size()) return kMalformedUtf8;
  for (int k = 0; k < more; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return kMalformedUtf8;
    c = c << 6 | (b & 0x3F);
  }
  // Overlong forms, surrogates and values past Unicode are malformed too.
  static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[more] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return kMalformedUtf8;
  i += more;
  return c;
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

}  // namespace brindle
