#include "canvas/pixel_view.h"

#include <algorithm>

#include "canvas/canvas_font.h"

namespace brindle {

ColorRef PixelView::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

PixelRect PixelView::Clipped(const PixelRect& rect) const {
  const int left = std::max(rect.x, 0), top = std::max(rect.y, 0);
  const int right = static_cast<int>(std::min<int64_t>(int64_t{rect.x} + rect.width, width_));
  const int bottom = static_cast<int>(std::min<int64_t>(int64_t{rect.y} + rect.height, height_));
  return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

void PixelView::Fill(const PixelRect& rect, ColorRef color) {
  const PixelRect r = Clipped(rect);
  for (int y = r.y; y < r.y + r.height; ++y) {
    const auto row = pixels_.begin() + static_cast<ptrdiff_t>(y) * width_;
    std::fill(row + r.x, row + r.x + r.width, color);
  }
}

void PixelView::DrawText(int x, int y, std::string_view bytes, ColorRef color,
                         const PixelRect& clip) {
  const PixelRect r = Clipped(clip);
  int64_t cell_x = x;
  for (const char c : bytes) {
    if (cell_x >= r.x + r.width + kCellWidth) break;
    const Glyph& glyph = CanvasGlyph(static_cast<unsigned char>(c));
    const int64_t gx = cell_x + glyph.left, gy = int64_t{y} + glyph.top;
    cell_x += kCellWidth;
    const int64_t top = std::max<int64_t>(gy, r.y),
                  bottom = std::min<int64_t>(gy + glyph.height, r.y + r.height);
    const int64_t left = std::max<int64_t>(gx, r.x),
                  right = std::min<int64_t>(gx + glyph.width, r.x + r.width);
    for (int64_t py = top; py < bottom; ++py) {
      const uint8_t* coverage = glyph.coverage.data() + (py - gy) * glyph.width;
      for (int64_t px = left; px < right; ++px) {
        ColorRef& pixel = pixels_[py * width_ + px];
        pixel = BlendCoverage(pixel, color, coverage[px - gx]);
      }
    }
  }
}

}  // namespace brindle
