// What the C++ library of Debian's emscripten (libc++ of LLVM 13) lacks of C++20 and the
// sources use: std::bit_cast, std::ranges::all_of, and <charconv> for floating point. Every
// source of the page's build includes this first (-include). The conversions go through the C
// library (musl), whose strtof is correctly rounded and whose printf prints exact digits, so
// they give what the desktop build's <charconv> gives for the calls the sources make.
#pragma once

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <type_traits>

namespace std {

#if !defined(__cpp_lib_bit_cast)
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
                is_trivially_copyable_v<From>);
  return __builtin_bit_cast(To, from);
}
#endif

namespace ranges {
template <class Range, class Predicate>
bool all_of(Range&& range, Predicate predicate) {
  return std::all_of(std::begin(range), std::end(range), predicate);
}
}  // namespace ranges

// A decimal number as from_chars reads it (no leading blank or '+', no hexadecimal), rounded
// correctly. A value beyond the range is stored as it rounds (infinity, zero) and not refused:
// the callers settle the ends of the range themselves.
template <class Float>
requires is_floating_point_v<Float> from_chars_result from_chars(
    const char* first, const char* last, Float& value, chars_format = chars_format::general) {
  const string text(first, last);
  const char* start = text.c_str();
  const char* digits = start + (*start == '-' ? 1 : 0);
  const bool refused = text.empty() || *digits == '+' || *digits == ' ' ||
                       (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) ||
                       *start == '+' || *start == ' ' || *start == '\t' || *start == '\n';
  if (refused) return {first, errc::invalid_argument};
  char* end = nullptr;
  const Float read = is_same_v<Float, float> ? strtof(start, &end) : strtod(start, &end);
  if (end == start) return {first, errc::invalid_argument};
  value = read;
  return {first + (end - start), errc()};
}

// Fixed notation with a given number of decimals, exactly as printf writes it.
inline to_chars_result to_chars(char* first, char* last, double value, chars_format format,
                                int precision) {
  const char* pattern = format == chars_format::scientific ? "%.*e"
                        : format == chars_format::fixed    ? "%.*f"
                                                           : "%.*g";
  const int n = snprintf(nullptr, 0, pattern, precision, value);
  if (n < 0 || n > last - first) return {last, errc::value_too_large};
  string text(static_cast<size_t>(n), '\0');
  snprintf(text.data(), text.size() + 1, pattern, precision, value);
  memcpy(first, text.data(), text.size());
  return {first + n, errc()};
}

// The fewest significant digits that read back as the same float.
inline to_chars_result to_chars(char* first, char* last, float value) {
  char text[64];
  int n = 0;
  for (int digits = 1; digits <= 9; ++digits) {
    n = snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (strtof(text, nullptr) == value) break;
  }
  if (n < 0 || n > last - first) return {last, errc::value_too_large};
  memcpy(first, text, static_cast<size_t>(n));
  return {first + n, errc()};
}

}  // namespace std
