// How much text a script may hold. A string grows only by concatenation, which checks the
// longest value; texts read from the script or an input box are shorter by their own limits.
// Stored text is counted where it is kept: variables, elements and the texts given to input
// boxes.
#pragma once

#include <cstddef>

namespace brindle {

#ifdef BRINDLE_TEXT_LIMIT
// Fuzzing builds use a small limit, so that cases stay fast and the limit itself is reached.
inline constexpr size_t kMaxTextLength = BRINDLE_TEXT_LIMIT;
#else
inline constexpr size_t kMaxTextLength = size_t{16} << 20;
#endif

// All stored text together: room for sixteen of the longest strings.
inline constexpr size_t kMaxStoredText = 16 * kMaxTextLength;

}  // namespace brindle
