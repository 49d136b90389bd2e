// Input boxes as the window shows them: a white field and black text over the window picture.
//
// Boxes are made newest on top, and a box's field is opaque: each pixel shows the topmost
// visible box there, or the picture. So the boxes are drawn from the newest down, each only
// where no newer box has drawn, which gives the pixels drawing them all oldest first would,
// while a box that newer ones cover costs nothing and each pixel is drawn once.
#include <algorithm>
#include <string>

#include "canvas/canvas_font.h"
#include "canvas/glyph_bounds.h"
#include "canvas/picture_coverage.h"
#include "platform/input_boxes.h"

namespace brindle {
namespace {

constexpr ColorRef kFieldColor = RgbColor(255, 255, 255);
constexpr ColorRef kTextColor = RgbColor(0, 0, 0);

// The part of a box's rectangle inside the picture, as [left, right) x [top, bottom).
struct Clip {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return left >= right || top >= bottom; }
  int64_t area() const { return empty() ? 0 : int64_t{right - left} * (bottom - top); }
  bool Inside(const Clip& other) const {
    return left >= other.left && right <= other.right && top >= other.top && bottom <= other.bottom;
  }
};

Clip ClipToPicture(const BoxRect& r) {
  return {static_cast<int>(std::max<int64_t>(r.x, 0)), static_cast<int>(std::max<int64_t>(r.y, 0)),
          static_cast<int>(std::min<int64_t>(int64_t{r.x} + r.width, Canvas::kWidth)),
          static_cast<int>(std::min<int64_t>(int64_t{r.y} + r.height, Canvas::kHeight))};
}

// One box's drawing: its field, and the characters of its text that can show in the picture.
class BoxPainter {
 public:
  BoxPainter(const InputBox& box, const Clip& clip, std::span<ColorRef> picture,
             BoxDrawingWork& work)
      : box_(box), clip_(clip), picture_(picture), work_(work) {
    const GlyphBounds& bounds = AllGlyphBounds();
    text_top_ = int64_t{box.rect.y} + bounds.top;
    text_bottom_ = int64_t{box.rect.y} + bounds.bottom;
  }

  // The field and the text over the columns [left, right) of a row.
  void Paint(int row, int left, int right) {
    const auto start = picture_.begin() + int64_t{row} * Canvas::kWidth;
    std::fill(start + left, start + right, kFieldColor);
    work_.pixels_filled += right - left;
    if (row >= text_top_ && row < text_bottom_) PaintText(row, left, right);
  }

 private:
  void PaintText(int row, int left, int right) {
    if (!read_) ReadShownText();
    const CharacterSpan span = CharactersReaching(box_.rect.x, left, right);
    const size_t end = std::min(span.end, first_ + shown_.size());
    for (size_t i = std::max(span.first, first_); i < end; ++i) {
      ++work_.characters;
      const Glyph& glyph = CanvasGlyph(static_cast<unsigned char>(shown_[i - first_]));
      const int64_t gy = int64_t{box_.rect.y} + glyph.top;
      if (row < gy || row >= gy + glyph.height) continue;
      const int64_t gx =
          int64_t{box_.rect.x} + int64_t{kCellWidth} * static_cast<int64_t>(i) + glyph.left;
      const uint8_t* coverage = glyph.coverage.data() + (row - gy) * glyph.width;
      ColorRef* line = picture_.data() + int64_t{row} * Canvas::kWidth;
      for (int64_t x = std::max<int64_t>(gx, left); x < std::min(gx + glyph.width, int64_t{right});
           ++x) {
        line[x] = BlendCoverage(line[x], kTextColor, coverage[x - gx]);
      }
    }
  }

  // Only the characters that can show are read, however long the text.
  void ReadShownText() {
    const CharacterSpan span = CharactersReaching(box_.rect.x, clip_.left, clip_.right);
    first_ = std::min(span.first, box_.text.size());
    shown_ = box_.text.Read(first_, span.end - first_);
    read_ = true;
  }

  const InputBox& box_;
  const Clip clip_;
  std::span<ColorRef> picture_;
  BoxDrawingWork& work_;
  bool read_ = false;
  size_t first_ = 0;                        // the first character that can show
  std::string shown_;                       // the characters that can show, from first_
  int64_t text_top_ = 0, text_bottom_ = 0;  // the rows the text's glyphs may reach
};

}  // namespace

void DrawInputBoxes(std::span<const InputBox> boxes, std::span<ColorRef> picture,
                    BoxDrawingWork* work) {
  BoxDrawingWork unused;
  BoxDrawingWork& counted = work != nullptr ? *work : unused;
  PictureCoverage taken(Canvas::kWidth, Canvas::kHeight);
  // The largest newer box: whatever lies inside it is passed over at once.
  Clip largest;
  for (size_t i = boxes.size(); i-- > 0 && !taken.complete();) {
    const InputBox& box = boxes[i];
    if (!box.visible) continue;
    const Clip clip = ClipToPicture(box.rect);
    if (clip.empty() || clip.Inside(largest)) continue;
    ++counted.boxes_examined;
    BoxPainter painter(box, clip, picture, counted);
    for (int row = clip.top; row < clip.bottom; ++row) {
      taken.TakeRow(row, clip.left, clip.right,
                    [&](int left, int right) { painter.Paint(row, left, right); });
    }
    if (clip.area() > largest.area()) largest = clip;
  }
}

}  // namespace brindle
