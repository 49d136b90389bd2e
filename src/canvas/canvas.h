// The software canvas every drawing statement paints into. Pixels follow the Windows graphics
// rules scripts were written against: lines leave out their end point, boxes and ellipses
// leave out their right and bottom edges, and everything clips to the canvas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace brindle {

// A colour as scripts make it: red + 256 * green + 65536 * blue. Only the low 24 bits reach a
// pixel.
using ColorRef = uint32_t;

constexpr ColorRef RgbColor(int r, int g, int b) {
  return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 | static_cast<ColorRef>(b) << 16;
}

// The colour of a window before anything is drawn (the button face).
constexpr ColorRef kButtonFace = RgbColor(240, 240, 240);

// An image's pixels as the canvas copies them: width * height colours, row-major from the
// top-left, and one alpha a pixel when some pixel is partly transparent (else none). Empty
// pixels are the null image.
struct ImageView {
  int width = 0, height = 0;
  std::span<const ColorRef> pixels;
  std::span<const uint8_t> alpha;
};

class Canvas {
 public:
  // The client area of an 800 x 600 window.
  static constexpr int kWidth = 784;
  static constexpr int kHeight = 561;

  Canvas();
  Canvas(const Canvas& other);
  Canvas& operator=(const Canvas& other);

  static constexpr bool Contains(int x, int y);

  int width() const { return kWidth; }
  int height() const { return kHeight; }
  // Row-major, kWidth * kHeight pixels, each a ColorRef (0x00BBGGRR).
  std::vector<ColorRef> pixels() const;
  // The same into out, reusing its storage.
  void CopyPixelsTo(std::vector<ColorRef>& out) const;
  // 0 outside the canvas.
  ColorRef Pixel(int x, int y) const;

  // Does nothing outside the canvas.
  void SetPixel(int x, int y, ColorRef color);
  void Fill(ColorRef color);
  // From (x1, y1) towards (x2, y2); the end point is not set.
  void DrawLine(int x1, int y1, int x2, int y2, ColorRef pen);
  // Outline in the pen, inside in the brush; right and bottom are exclusive.
  void DrawBox(int left, int top, int right, int bottom, ColorRef pen, ColorRef brush);
  void DrawEllipse(int left, int top, int right, int bottom, ColorRef pen, ColorRef brush);
  // Bytes in 8 x 16 cells, (x, y) the top-left of the first cell; transparent background.
  void DrawText(int x, int y, std::string_view bytes, ColorRef color);
  // Copies the top-left width x height part of the image to (x, y), leaving black pixels out.
  // A partly transparent pixel is laid over the canvas by its alpha.
  void DrawImageTransparent(const ImageView& image, int x, int y, int width, int height);
  static ColorRef OverCanvas(ColorRef premultiplied, unsigned alpha, ColorRef canvas);

 private:
  // Sets x in [x_begin, x_end) of row y to the colour, clipped to the canvas.
  void FillRow(int64_t y, int64_t x_begin, int64_t x_end, ColorRef color);
  // Fills [left, right) x [top, bottom), clipped to the canvas.
  void FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, ColorRef color);
  // Lines whose x changes more than their y (x_major) or the rest; see canvas_line.cpp.
  template <bool kXMajor>
  void DrawLineAlongMajor(int64_t major1, int64_t minor1, int64_t major2, int64_t minor2,
                          ColorRef pen);

  // Pixels are kept as colour XOR button face, so that memory fresh from the system, which
  // reads as zeros, is an untouched canvas: a script pays only for the pages it draws on.
  static constexpr ColorRef Encode(ColorRef color) { return (color & 0xFFFFFF) ^ kButtonFace; }
  static constexpr ColorRef Decode(ColorRef stored) { return stored ^ kButtonFace; }
  struct FreeMemory {
    void operator()(ColorRef* p) const { std::free(p); }
  };
  std::unique_ptr<ColorRef[], FreeMemory> pixels_;
};

// Inline because scripts set single pixels millions of times a second.
constexpr bool Canvas::Contains(int x, int y) {
  return static_cast<unsigned>(x) < unsigned{kWidth} &&
         static_cast<unsigned>(y) < unsigned{kHeight};
}

inline ColorRef Canvas::Pixel(int x, int y) const {
  return Contains(x, y) ? Decode(pixels_[static_cast<size_t>(y) * kWidth + x]) : 0;
}

inline void Canvas::SetPixel(int x, int y, ColorRef color) {
  if (Contains(x, y)) pixels_[static_cast<size_t>(y) * kWidth + x] = Encode(color);
}

}  // namespace brindle
