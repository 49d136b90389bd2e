// Input boxes as the window shows them: a white field and black text over the window picture.
#include <algorithm>

#include "platform/canvas_font.h"
#include "platform/input_boxes.h"

namespace brindle {
namespace {

constexpr ColorRef kFieldColor = RgbColor(255, 255, 255);
constexpr ColorRef kTextColor = RgbColor(0, 0, 0);

// The part of a box's rectangle inside the picture, as [left, right) x [top, bottom).
struct Clip {
  int64_t left, top, right, bottom;
  bool empty() const { return left >= right || top >= bottom; }
};

Clip ClipToPicture(const BoxRect& r) {
  return {std::max<int64_t>(r.x, 0), std::max<int64_t>(r.y, 0),
          std::min<int64_t>(int64_t{r.x} + r.width, Canvas::kWidth),
          std::min<int64_t>(int64_t{r.y} + r.height, Canvas::kHeight)};
}

void DrawBoxText(const InputBox& box, const Clip& clip, std::span<ColorRef> picture) {
  int64_t cell_x = box.rect.x;
  for (const char c : box.text) {
    if (cell_x >= clip.right + kCellWidth) break;
    const Glyph& glyph = CanvasGlyph(static_cast<unsigned char>(c));
    const int64_t gx = cell_x + glyph.left, gy = int64_t{box.rect.y} + glyph.top;
    cell_x += kCellWidth;
    for (int64_t y = std::max(gy, clip.top); y < std::min(gy + glyph.height, clip.bottom); ++y) {
      const uint8_t* coverage = glyph.coverage.data() + (y - gy) * glyph.width;
      for (int64_t x = std::max(gx, clip.left); x < std::min(gx + glyph.width, clip.right); ++x) {
        ColorRef& pixel = picture[y * Canvas::kWidth + x];
        pixel = BlendCoverage(pixel, kTextColor, coverage[x - gx]);
      }
    }
  }
}

}  // namespace

// Boxes are drawn in the order they were made, so the newest is on top.
void DrawInputBoxes(std::span<const InputBox> boxes, std::span<ColorRef> picture) {
  for (const InputBox& box : boxes) {
    if (!box.visible) continue;
    const Clip clip = ClipToPicture(box.rect);
    if (clip.empty()) continue;
    for (int64_t y = clip.top; y < clip.bottom; ++y) {
      std::fill(picture.begin() + y * Canvas::kWidth + clip.left,
                picture.begin() + y * Canvas::kWidth + clip.right, kFieldColor);
    }
    DrawBoxText(box, clip, picture);
  }
}

}  // namespace brindle
