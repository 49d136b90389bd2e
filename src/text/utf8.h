// UTF-8, the encoding of the window system's text and of script files saved by most editors.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brindle {

// What NextUtf8Character gives for a malformed sequence.
inline constexpr char32_t kMalformedUtf8 = 0xFFFFFFFF;

// The character that starts at position i of text, moving i past it. For a malformed sequence
// (cut short, overlong, a surrogate, past U+10FFFF, a stray continuation byte) kMalformedUtf8,
// and i moves past the first byte alone.
char32_t NextUtf8Character(std::string_view text, size_t& i);

// Appends c (at most U+FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace brindle
