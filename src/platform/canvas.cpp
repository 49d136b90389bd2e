// Filling, boxes and image blits. Lines, ellipses and text live in canvas_line.cpp,
// canvas_ellipse.cpp and canvas_text.cpp.
#include "platform/canvas.h"

#include <algorithm>
#include <utility>

#include "platform/image.h"

namespace brindle {

Canvas::Canvas() : pixels_(static_cast<size_t>(kWidth) * kHeight, kButtonFace) {}

void Canvas::Fill(ColorRef color) {
  std::fill(pixels_.begin(), pixels_.end(), color & 0xFFFFFF);
}

void Canvas::FillRow(int64_t y, int64_t x_begin, int64_t x_end, ColorRef color) {
  if (y < 0 || y >= kHeight) return;
  x_begin = std::max<int64_t>(x_begin, 0);
  x_end = std::min<int64_t>(x_end, kWidth);
  if (x_begin >= x_end) return;
  auto row = pixels_.begin() + y * kWidth;
  std::fill(row + x_begin, row + x_end, color & 0xFFFFFF);
}

void Canvas::FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, ColorRef color) {
  top = std::max<int64_t>(top, 0);
  bottom = std::min<int64_t>(bottom, kHeight);
  for (int64_t y = top; y < bottom; ++y) FillRow(y, left, right, color);
}

// Coordinates are widened first: a box given by script values near the int limits must still
// come out right instead of wrapping around.
void Canvas::DrawBox(int left, int top, int right, int bottom, ColorRef pen, ColorRef brush) {
  int64_t l = left, t = top, r = right, b = bottom;
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  if (l == r || t == b) return;
  FillRect(l, t, r, t + 1, pen);
  FillRect(l, b - 1, r, b, pen);
  FillRect(l, t + 1, l + 1, b - 1, pen);
  FillRect(r - 1, t + 1, r, b - 1, pen);
  FillRect(l + 1, t + 1, r - 1, b - 1, brush);
}

// As a transparent block transfer from a bitmap: the source rectangle never reaches past the
// image, so a larger width or height draws the whole image and leaves the rest alone.
void Canvas::DrawImageTransparent(const Image& image, int x, int y, int width, int height) {
  if (image.is_null() || width <= 0 || height <= 0) return;
  const int64_t copy_w = std::min(width, image.width());
  const int64_t copy_h = std::min(height, image.height());
  const int64_t x_begin = std::max<int64_t>(0, -int64_t{x});
  const int64_t x_end = std::min<int64_t>(copy_w, int64_t{kWidth} - x);
  const int64_t y_begin = std::max<int64_t>(0, -int64_t{y});
  const int64_t y_end = std::min<int64_t>(copy_h, int64_t{kHeight} - y);
  for (int64_t sy = y_begin; sy < y_end; ++sy) {
    const ColorRef* source = image.pixels().data() + sy * image.width();
    ColorRef* line = pixels_.data() + (y + sy) * kWidth;
    for (int64_t sx = x_begin; sx < x_end; ++sx) {
      if ((source[sx] & 0xFFFFFF) != 0) line[x + sx] = source[sx] & 0xFFFFFF;
    }
  }
}

}  // namespace brindle
