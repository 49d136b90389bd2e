// Where values live: the scalar value columns of the variable table and the three array banks.
// Everything is fixed-size and indexed directly; only string writes allocate.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lang/text_limit.h"
#include "prepass/symbols.h"

namespace brindle {

// The first 16 arrays declared, of whatever type, have storage; each has cells 1..4096.
constexpr int kArraysWithStorage = 16;
constexpr int kArrayCells = 4096;

// One array's cells, made at its first write: until then every cell reads as zero.
template <typename T>
class ArrayBank {
 public:
  T Read(int a, int i) const {
    const int c = Cell(a, i);
    return c < 0 || !cells_[a - 1] ? T{} : cells_[a - 1][c];
  }
  // Whether element i of array a is kept: a write elsewhere is lost.
  bool Keeps(int a, int i) const { return Cell(a, i) >= 0; }
  const std::string& ReadText(int a, int i) const {
    static const std::string kEmpty;
    const int c = Cell(a, i);
    return c < 0 || !cells_[a - 1] ? kEmpty : cells_[a - 1][c];
  }
  void Write(int a, int i, T value) {
    const int c = Cell(a, i);
    if (c < 0) return;
    if (!cells_[a - 1]) [[unlikely]]
      MakeCells(a);
    cells_[a - 1][c] = std::move(value);
  }
  // Calls f with every cell of every array written to so far.
  template <typename F>
  void ForEachCell(F f) const {
    for (const std::unique_ptr<T[]>& cells : cells_) {
      if (!cells) continue;
      for (int c = 0; c < kArrayCells; ++c) f(cells[c]);
    }
  }

 private:
  // The cell of element i of array a, or -1 when there is none: arrays past the 16th have no
  // storage, and an index outside 1..4096 addresses nothing (reads give zero, writes are lost).
  static int Cell(int a, int i) {
    if (a < 1 || a > kArraysWithStorage || i < 1 || i > kArrayCells) return -1;
    return i - 1;
  }
  // Apart from Write, which the expression machine inlines.
  [[gnu::noinline]] void MakeCells(int a) { cells_[a - 1] = std::make_unique<T[]>(kArrayCells); }
  std::array<std::unique_ptr<T[]>, kArraysWithStorage> cells_;
};

struct Values {
  std::vector<float> var_num = std::vector<float>(kMaxVariables + 1, 0.0f);
  std::vector<std::string> var_str = std::vector<std::string>(kMaxVariables + 1);
  std::vector<int32_t> var_ptr = std::vector<int32_t>(kMaxVariables + 1, 0);

  ArrayBank<float> array_num;
  ArrayBank<std::string> array_str;
  ArrayBank<int32_t> array_ptr;

  // Bytes of text stored in var_str, array_str and input boxes: at most kMaxStoredText.
  size_t stored_text = 0;
};

// Counts a stored text of old_size bytes replaced by one of new_size. False, counting nothing,
// when the total would pass kMaxStoredText.
[[nodiscard]] inline bool CountStoredText(Values& v, size_t old_size, size_t new_size) {
  const size_t total = v.stored_text - old_size + new_size;
  if (total > kMaxStoredText) return false;
  v.stored_text = total;
  return true;
}

inline float ReadArrayNum(const Values& v, int a, int i) {
  return v.array_num.Read(a, i);
}
inline int32_t ReadArrayPtr(const Values& v, int a, int i) {
  return v.array_ptr.Read(a, i);
}
inline const std::string& ReadArrayStr(const Values& v, int a, int i) {
  return v.array_str.ReadText(a, i);
}
inline void WriteArrayNum(Values& v, int a, int i, float value) {
  v.array_num.Write(a, i, value);
}
inline void WriteArrayPtr(Values& v, int a, int i, int32_t value) {
  v.array_ptr.Write(a, i, value);
}
// False, storing nothing, when there is no room for the text.
[[nodiscard]] inline bool WriteArrayStr(Values& v, int a, int i, std::string value) {
  if (!v.array_str.Keeps(a, i)) return true;
  if (!CountStoredText(v, ReadArrayStr(v, a, i).size(), value.size())) return false;
  v.array_str.Write(a, i, std::move(value));
  return true;
}

}  // namespace brindle
