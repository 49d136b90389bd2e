// Filling, boxes and image blits. Lines, ellipses and text live in canvas_line.cpp,
// canvas_ellipse.cpp and canvas_text.cpp.
#include "canvas/canvas.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

namespace brindle {

namespace {

constexpr size_t kPixelCount = static_cast<size_t>(Canvas::kWidth) * Canvas::kHeight;

ColorRef* ZeroedPixels() {
  auto* pixels = static_cast<ColorRef*>(std::calloc(kPixelCount, sizeof(ColorRef)));
  if (pixels == nullptr) throw std::bad_alloc();
  return pixels;
}

}  // namespace

Canvas::Canvas() : pixels_(ZeroedPixels()) {}

Canvas::Canvas(const Canvas& other) : pixels_(ZeroedPixels()) {
  *this = other;
}

Canvas& Canvas::operator=(const Canvas& other) {
  if (this != &other) std::copy_n(other.pixels_.get(), kPixelCount, pixels_.get());
  return *this;
}

std::vector<ColorRef> Canvas::pixels() const {
  std::vector<ColorRef> out;
  CopyPixelsTo(out);
  return out;
}

void Canvas::CopyPixelsTo(std::vector<ColorRef>& out) const {
  out.resize(kPixelCount);
  // Eight pixels at a time: this runs on every SWAP.
  using Lanes = ColorRef __attribute__((vector_size(32)));
  constexpr size_t kLanes = sizeof(Lanes) / sizeof(ColorRef);
  static_assert(kPixelCount % kLanes == 0);
  for (size_t i = 0; i < kPixelCount; i += kLanes) {
    Lanes lanes;
    std::memcpy(&lanes, pixels_.get() + i, sizeof lanes);
    lanes ^= kButtonFace;
    std::memcpy(out.data() + i, &lanes, sizeof lanes);
  }
}

namespace {

// The C library's wide-character fill stores 32-bit values as fast as the machine allows (glibc
// picks its vector code for the processor at hand); a loop of single stores is what the
// compiler makes of std::fill without vectorising.
void FillPixels(ColorRef* first, size_t count, ColorRef value) {
  if constexpr (sizeof(wchar_t) == sizeof(ColorRef)) {
    std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(value), count);
  } else {
    std::fill_n(first, count, value);
  }
}

}  // namespace

void Canvas::Fill(ColorRef color) {
  FillPixels(pixels_.get(), kPixelCount, Encode(color));
}

void Canvas::FillRow(int64_t y, int64_t x_begin, int64_t x_end, ColorRef color) {
  if (y < 0 || y >= kHeight) return;
  x_begin = std::max<int64_t>(x_begin, 0);
  x_end = std::min<int64_t>(x_end, kWidth);
  if (x_begin >= x_end) return;
  ColorRef* row = pixels_.get() + y * kWidth;
  FillPixels(row + x_begin, static_cast<size_t>(x_end - x_begin), Encode(color));
}

void Canvas::FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, ColorRef color) {
  top = std::max<int64_t>(top, 0);
  bottom = std::min<int64_t>(bottom, kHeight);
  if (top >= bottom) return;
  // Whole rows lie end to end: one fill covers them all.
  if (left <= 0 && right >= kWidth) {
    FillPixels(pixels_.get() + top * kWidth, static_cast<size_t>(bottom - top) * kWidth,
               Encode(color));
    return;
  }
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
void Canvas::DrawImageTransparent(const ImageView& image, int x, int y, int width, int height) {
  if (image.pixels.empty() || width <= 0 || height <= 0) return;
  const int64_t copy_w = std::min(width, image.width);
  const int64_t copy_h = std::min(height, image.height);
  const int64_t x_begin = std::max<int64_t>(0, -int64_t{x});
  const int64_t x_end = std::min<int64_t>(copy_w, int64_t{kWidth} - x);
  const int64_t y_begin = std::max<int64_t>(0, -int64_t{y});
  const int64_t y_end = std::min<int64_t>(copy_h, int64_t{kHeight} - y);
  const bool blends = !image.alpha.empty();
  for (int64_t sy = y_begin; sy < y_end; ++sy) {
    const ColorRef* source = image.pixels.data() + sy * image.width;
    const uint8_t* alpha = blends ? image.alpha.data() + sy * image.width : nullptr;
    ColorRef* line = pixels_.get() + (y + sy) * kWidth;
    for (int64_t sx = x_begin; sx < x_end; ++sx) {
      if ((source[sx] & 0xFFFFFF) == 0) continue;
      const ColorRef colour =
          blends ? OverCanvas(source[sx], alpha[sx], Decode(line[x + sx])) : source[sx];
      line[x + sx] = Encode(colour);
    }
  }
}

// The picture's colour is already laid over black (premultiplied): what shows through is the
// canvas's share, 255 - alpha of it.
ColorRef Canvas::OverCanvas(ColorRef premultiplied, unsigned alpha, ColorRef canvas) {
  if (alpha == 255) return premultiplied;
  ColorRef out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned under = (canvas >> shift & 0xFF) * (255 - alpha);
    const unsigned channel = (premultiplied >> shift & 0xFF) + (under + 127) / 255;
    out |= std::min(channel, 255u) << shift;
  }
  return out;
}

}  // namespace brindle
