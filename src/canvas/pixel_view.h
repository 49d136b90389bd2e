// Drawing into a picture of ColorRef pixels of any size, for what the window shows besides the
// canvas: message boxes, and the caret and selection of the focused input box.
#pragma once

#include <span>
#include <string_view>

#include "canvas/canvas.h"

namespace brindle {

struct PixelRect {
  int x = 0, y = 0;
  int width = 0, height = 0;
};

class PixelView {
 public:
  // Row-major, width * height pixels.
  PixelView(std::span<ColorRef> pixels, int width, int height)
      : pixels_(pixels), width_(width), height_(height) {}

  int width() const { return width_; }
  int height() const { return height_; }
  // 0 outside the picture.
  ColorRef Pixel(int x, int y) const;

  // Both clip to the picture and to the rectangle clip.
  void Fill(const PixelRect& rect, ColorRef color);
  // Bytes in the canvas font's 8 x 16 cells from (x, y), blended over what is there.
  void DrawText(int x, int y, std::string_view bytes, ColorRef color, const PixelRect& clip);

 private:
  PixelRect Clipped(const PixelRect& rect) const;

  std::span<ColorRef> pixels_;
  int width_, height_;
};

}  // namespace brindle
