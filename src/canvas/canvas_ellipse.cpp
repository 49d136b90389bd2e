// Ellipses inside their exclusive bounding box. The outline is the curve through the centres of
// the box's outermost pixels, traced pixel by pixel with Alois Zingl's integer algorithm
// ("A Rasterizing Algorithm for Drawing Curves"): it stays inside the box, is symmetric about
// both axes and keeps small shapes round (a 2 x 2 box is a block, 3 x 3 a diamond, 5 x 5 a
// circle without corners), which is what a stroked curve gives on Windows too. Very large boxes,
// where tracing would take too long and its error terms would overflow, are worked out row by
// row instead.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "canvas/canvas.h"

namespace brindle {
namespace {

// The outline pixels of one row in the left half of the box, as box-relative x; the right half
// mirrors them.
struct EllipseRow {
  int64_t outer = 0;
  int64_t inner = -1;
};

// Tracing stays exact in 64 bits and takes at most 2 * kMaxTracedSize steps.
constexpr int64_t kMaxTracedSize = int64_t{1} << 15;

class RowRecorder {
 public:
  explicit RowRecorder(int64_t height) : rows_((height + 1) / 2) {}
  void Mark(int64_t x, int64_t row) {
    if (row < 0 || row >= static_cast<int64_t>(rows_.size())) return;
    EllipseRow& r = rows_[row];
    if (r.inner < r.outer) {
      r = {x, x};
    } else {
      r.outer = std::min(r.outer, x);
      r.inner = std::max(r.inner, x);
    }
  }
  std::vector<EllipseRow> Take() { return std::move(rows_); }

 private:
  std::vector<EllipseRow> rows_;
};

// The rows of the upper half (row 0 at the top) of a width x height ellipse. Zingl's
// plotEllipseRect with the box (0, 0)-(width - 1, height - 1); only the upper-left quadrant is
// kept, the other three are its mirror images.
std::vector<EllipseRow> TraceEllipse(int64_t width, int64_t height) {
  const int64_t a = width - 1, b = height - 1, b1 = b & 1;
  int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
  int64_t err = dx + dy + b1 * a * a;
  const int64_t a8 = 8 * a * a, b8 = 8 * b * b;
  int64_t x0 = 0, x1 = a, y0 = (b + 1) / 2, y1 = y0 - b1;
  RowRecorder recorder(height);
  do {
    recorder.Mark(x0, y1);
    const int64_t e2 = 2 * err;
    if (e2 <= dy) {
      ++y0, --y1;
      err += dy += a8;
    }
    if (e2 >= dx || 2 * err > dy) {
      ++x0, --x1;
      err += dx += b8;
    }
  } while (x0 <= x1);
  // A box one or two pixels wide runs out of columns before the tips are reached.
  while (y0 - y1 <= b) {
    recorder.Mark(x0 - 1, y1);
    ++y0, --y1;
  }
  return recorder.Take();
}

// For boxes too large to trace: the pixels whose centres lie inside the ellipse that touches the
// box edges, outlined by those of them that have an outside neighbour above or to the left.
class LargeEllipse {
 public:
  LargeEllipse(int64_t width, int64_t height) : width_(width), height_(height) {}

  // Row is in the upper half.
  EllipseRow Row(int64_t row) const {
    const int64_t start = RowStart(row);
    const int64_t above = row == 0 ? (width_ - 1) / 2 + 1 : RowStart(row - 1);
    return {start, std::max(start, above - 1)};
  }

 private:
  int64_t RowStart(int64_t row) const {
    const long double cx = (width_ - 1) / 2.0L, cy = (height_ - 1) / 2.0L;
    const long double dy = (row - cy) / (height_ / 2.0L);
    const long double half = width_ / 2.0L * std::sqrt(std::max(0.0L, 1 - dy * dy));
    const auto start = static_cast<int64_t>(std::ceil(cx - half));
    return std::clamp<int64_t>(start, 0, (width_ - 1) / 2);
  }

  int64_t width_, height_;
};

}  // namespace

void Canvas::DrawEllipse(int left, int top, int right, int bottom, ColorRef pen, ColorRef brush) {
  int64_t l = left, t = top, r = right, b = bottom;
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  const int64_t w = r - l, h = b - t;
  if (w == 0 || h == 0 || r <= 0 || b <= 0 || l >= kWidth || t >= kHeight) return;
  const bool traced = w <= kMaxTracedSize && h <= kMaxTracedSize;
  const std::vector<EllipseRow> rows = traced ? TraceEllipse(w, h) : std::vector<EllipseRow>{};
  const LargeEllipse large(w, h);
  const int64_t mirror = r - 1;
  const int64_t y_end = std::min<int64_t>(b, kHeight);
  for (int64_t y = std::max<int64_t>(t, 0); y < y_end; ++y) {
    const int64_t row = std::min(y - t, b - 1 - y);
    const EllipseRow span = traced ? rows[row] : large.Row(row);
    FillRow(y, l + span.outer, l + span.inner + 1, pen);
    FillRow(y, mirror - span.inner, mirror - span.outer + 1, pen);
    FillRow(y, l + span.inner + 1, mirror - span.inner, brush);
  }
}

}  // namespace brindle
