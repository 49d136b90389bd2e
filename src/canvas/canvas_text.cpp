// Text on the canvas: each byte in its own 8-pixel cell, the glyph's coverage blended over what
// is already there, so the background shows between the strokes (a transparent background).
#include <algorithm>
#include <cstdint>

#include "canvas/canvas.h"
#include "canvas/canvas_font.h"

namespace brindle {
void Canvas::DrawText(int x, int y, std::string_view bytes, ColorRef color) {
  color &= 0xFFFFFF;
  int64_t cell_x = x;
  for (const char c : bytes) {
    // Cells further right than this cannot reach the canvas, even with a glyph's overhang.
    if (cell_x >= kWidth + kCellWidth) break;
    const Glyph& glyph = CanvasGlyph(static_cast<unsigned char>(c));
    const int64_t gx = cell_x + glyph.left, gy = int64_t{y} + glyph.top;
    cell_x += kCellWidth;
    const int64_t col_begin = std::max<int64_t>(0, -gx);
    const int64_t col_end = std::min<int64_t>(glyph.width, kWidth - gx);
    const int64_t row_begin = std::max<int64_t>(0, -gy);
    const int64_t row_end = std::min<int64_t>(glyph.height, kHeight - gy);
    for (int64_t row = row_begin; row < row_end; ++row) {
      const uint8_t* coverage = glyph.coverage.data() + row * glyph.width;
      ColorRef* line = pixels_.get() + (gy + row) * kWidth;
      for (int64_t col = col_begin; col < col_end; ++col) {
        ColorRef& target = line[gx + col];
        if (coverage[col] == 255) {
          target = Encode(color);
        } else if (coverage[col] != 0) {
          target = Encode(BlendCoverage(Decode(target), color, coverage[col]));
        }
      }
    }
  }
}

}  // namespace brindle
