#include "platform/window_picture.h"

#include <algorithm>

#include "canvas/canvas_font.h"
#include "canvas/glyph_bounds.h"
#include "canvas/pixel_view.h"

namespace brindle {
namespace {

// The columns [left, right) of the box's cell row, cut to the box's rectangle and the picture.
PixelRect CellsInBox(const InputBox& box, int64_t left, int64_t right) {
  const BoxRect& r = box.rect;
  left = std::max<int64_t>({left, r.x, 0});
  right = std::min<int64_t>({right, int64_t{r.x} + r.width, Canvas::kWidth});
  if (left >= right) return {};
  return {static_cast<int>(left), r.y, static_cast<int>(right - left),
          std::min(r.height, kCellHeight)};
}

// The x of the boundary before character i.
int64_t BoundaryX(const InputBox& box, size_t i) {
  return int64_t{box.rect.x} + int64_t{kCellWidth} * static_cast<int64_t>(i);
}

// Only the selected characters that can show are read and drawn, however long the text.
void DrawSelection(const InputBox& box, PixelView view) {
  const size_t start = std::min(box.caret, box.anchor), end = std::max(box.caret, box.anchor);
  const PixelRect cells = CellsInBox(box, BoundaryX(box, start), BoundaryX(box, end));
  if (cells.width == 0) return;
  view.Fill(cells, kSelectionColor);
  const CharacterSpan span = CharactersReaching(box.rect.x, cells.x, cells.x + cells.width);
  const size_t first = std::max(start, span.first), last = std::min(end, span.end);
  if (first >= last) return;
  view.DrawText(static_cast<int>(BoundaryX(box, first)), box.rect.y,
                box.text.Read(first, last - first), kSelectedTextColor, cells);
}

}  // namespace

void DrawFocusedBox(const InputBoxes& boxes, bool caret_on, std::span<ColorRef> picture) {
  const InputBox* box = boxes.Focused();
  if (box == nullptr || !box->visible) return;
  PixelView view(picture, Canvas::kWidth, Canvas::kHeight);
  if (box->caret != box->anchor) DrawSelection(*box, view);
  if (caret_on) {
    const int64_t x = BoundaryX(*box, box->caret);
    view.Fill(CellsInBox(*box, x, x + 1), kCaretColor);
  }
}

void WindowPicture::SetCanvas(const Canvas& canvas) {
  canvas.CopyPixelsTo(canvas_);
  boxes_drawn_ = false;
  holding_ = false;
}

void WindowPicture::HoldCanvas(const Canvas& canvas) {
  canvas.CopyPixelsTo(held_);
  holding_ = true;
}

// The buffers change places: no copy.
void WindowPicture::ShowHeld() {
  if (!holding_) return;
  canvas_.swap(held_);
  boxes_drawn_ = false;
  holding_ = false;
}

std::vector<ColorRef> WindowPicture::Screenshot(const InputBoxes& boxes) const {
  std::vector<ColorRef> picture = holding_ ? held_ : canvas_;
  if (picture.empty()) picture.assign(size_t{Canvas::kWidth} * Canvas::kHeight, kButtonFace);
  DrawInputBoxes(boxes.boxes(), picture);
  return picture;
}

const std::vector<ColorRef>& WindowPicture::Compose(const InputBoxes& boxes, bool caret_on) {
  if (canvas_.empty()) canvas_.assign(size_t{Canvas::kWidth} * Canvas::kHeight, kButtonFace);
  if (boxes.boxes().empty()) return canvas_;
  if (!boxes_drawn_ || fields_version_ != boxes.fields_version()) {
    with_boxes_ = canvas_;
    DrawInputBoxes(boxes.boxes(), with_boxes_, &work_);
    boxes_drawn_ = true;
    fields_version_ = boxes.fields_version();
  }
  const InputBox* focused = boxes.Focused();
  if (focused == nullptr || !focused->visible) return with_boxes_;
  picture_ = with_boxes_;
  DrawFocusedBox(boxes, caret_on, picture_);
  return picture_;
}

}  // namespace brindle
