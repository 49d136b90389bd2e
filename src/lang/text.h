// Byte-level text rules of the language: names and keywords compare case-insensitively in
// ASCII only, and digits are the ASCII digits whatever the locale says.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// ASCII upper and lower case; other bytes unchanged.
inline std::string UpperCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

inline std::string LowerCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

}  // namespace brindle
