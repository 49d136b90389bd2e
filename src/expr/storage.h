// Where values live: the scalar value columns of the variable table and the three array banks.
// Everything is fixed-size and indexed directly; only string writes allocate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "prepass/symbols.h"

namespace brindle {

// The first 16 arrays declared, of whatever type, have storage; each has cells 1..4096.
constexpr int kArraysWithStorage = 16;
constexpr int kArrayCells = 4096;

struct Values {
  std::vector<float> var_num = std::vector<float>(kMaxVariables + 1, 0.0f);
  std::vector<std::string> var_str = std::vector<std::string>(kMaxVariables + 1);
  std::vector<int32_t> var_ptr = std::vector<int32_t>(kMaxVariables + 1, 0);

  std::vector<float> array_num = std::vector<float>(kArraysWithStorage * kArrayCells, 0.0f);
  std::vector<std::string> array_str = std::vector<std::string>(kArraysWithStorage * kArrayCells);
  std::vector<int32_t> array_ptr = std::vector<int32_t>(kArraysWithStorage * kArrayCells, 0);
};

// The cell of element i of array a, or -1 when there is none: arrays past the 16th have no
// storage, and an index outside 1..4096 addresses nothing (reads give zero, writes are lost).
inline int ArrayCell(int a, int i) {
  if (a < 1 || a > kArraysWithStorage || i < 1 || i > kArrayCells) return -1;
  return (a - 1) * kArrayCells + (i - 1);
}

inline float ReadArrayNum(const Values& v, int a, int i) {
  const int c = ArrayCell(a, i);
  return c < 0 ? 0.0f : v.array_num[c];
}
inline int32_t ReadArrayPtr(const Values& v, int a, int i) {
  const int c = ArrayCell(a, i);
  return c < 0 ? 0 : v.array_ptr[c];
}
inline const std::string& ReadArrayStr(const Values& v, int a, int i) {
  static const std::string kEmpty;
  const int c = ArrayCell(a, i);
  return c < 0 ? kEmpty : v.array_str[c];
}
inline void WriteArrayNum(Values& v, int a, int i, float value) {
  const int c = ArrayCell(a, i);
  if (c >= 0) v.array_num[c] = value;
}
inline void WriteArrayPtr(Values& v, int a, int i, int32_t value) {
  const int c = ArrayCell(a, i);
  if (c >= 0) v.array_ptr[c] = value;
}
inline void WriteArrayStr(Values& v, int a, int i, std::string value) {
  const int c = ArrayCell(a, i);
  if (c >= 0) v.array_str[c] = std::move(value);
}

}  // namespace brindle
