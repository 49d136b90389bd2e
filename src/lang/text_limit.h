// The longest string value. Every string a script builds grows only by concatenation, which
// checks this; texts read from the script or an input box are shorter by their own limits.
#pragma once

#include <cstddef>

namespace brindle {

#ifdef BRINDLE_TEXT_LIMIT
// Fuzzing builds use a small limit, so that cases stay fast and the limit itself is reached.
inline constexpr size_t kMaxTextLength = BRINDLE_TEXT_LIMIT;
#else
inline constexpr size_t kMaxTextLength = size_t{16} << 20;
#endif

}  // namespace brindle
