// Which pixels of a picture something drawn over them already takes, row by row, for drawing
// from the top layer down: a taken pixel is never drawn again, so however many layers overlap,
// each pixel is drawn once.
#pragma once

#include <cstdint>
#include <vector>

namespace brindle {

class PictureCoverage {
 public:
  PictureCoverage(int width, int height);

  // Every pixel is taken: nothing below can show.
  bool complete() const { return open_rows_ == 0; }

  // Calls take(a, b) for each run [a, b) of columns of the row within [left, right) that no
  // earlier call took, left to right, and takes them. 0 <= left <= right <= width.
  template <typename Take>
  void TakeRow(int row, int left, int right, Take take) {
    if (open_in_row_[row] == 0) return;
    int x = Next(row, left, right, false);
    while (x < right) {
      const int end = Next(row, x, right, true);
      take(x, end);
      Mark(row, x, end);
      x = Next(row, end, right, false);
    }
  }

 private:
  // The first column from x on, before limit, whose taken flag is `taken`; limit if none.
  int Next(int row, int x, int limit, bool taken) const;
  // Takes the columns [left, right), none of which is taken yet.
  void Mark(int row, int left, int right);

  int words_per_row_;
  std::vector<uint64_t> taken_;   // one bit a pixel, row-major
  std::vector<int> open_in_row_;  // pixels of each row not yet taken
  int open_rows_;
};

}  // namespace brindle
