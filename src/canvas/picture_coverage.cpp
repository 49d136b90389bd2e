#include "canvas/picture_coverage.h"

#include <algorithm>
#include <bit>

namespace brindle {

PictureCoverage::PictureCoverage(int width, int height)
    : words_per_row_((width + 63) / 64),
      taken_(static_cast<size_t>(words_per_row_) * height),
      open_in_row_(height, width),
      open_rows_(width > 0 ? height : 0) {}

int PictureCoverage::Next(int row, int x, int limit, bool taken) const {
  const uint64_t* bits = &taken_[static_cast<size_t>(row) * words_per_row_];
  while (x < limit) {
    uint64_t word = bits[x / 64];
    if (!taken) word = ~word;
    word &= ~uint64_t{0} << (x % 64);
    if (word != 0) return std::min(limit, x / 64 * 64 + std::countr_zero(word));
    x = (x / 64 + 1) * 64;
  }
  return limit;
}

void PictureCoverage::Mark(int row, int left, int right) {
  uint64_t* bits = &taken_[static_cast<size_t>(row) * words_per_row_];
  for (int x = left; x < right;) {
    const int in_word = std::min(64 - x % 64, right - x);
    const uint64_t ones = in_word == 64 ? ~uint64_t{0} : ((uint64_t{1} << in_word) - 1);
    bits[x / 64] |= ones << (x % 64);
    x += in_word;
  }
  open_in_row_[row] -= right - left;
  if (open_in_row_[row] == 0) --open_rows_;
}

}  // namespace brindle
