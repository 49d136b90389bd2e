#include "platform/sdl/window_picture.h"

#include <algorithm>

#include "platform/canvas_font.h"
#include "platform/sdl/pixel_view.h"

namespace brindle {
namespace {

// The columns [left, right) of the box's cell row, cut to the box's rectangle.
PixelRect CellsInBox(const InputBox& box, int64_t left, int64_t right) {
  const BoxRect& r = box.rect;
  left = std::max<int64_t>(left, r.x);
  right = std::min<int64_t>(right, int64_t{r.x} + r.width);
  if (left >= right) return {};
  return {static_cast<int>(left), r.y, static_cast<int>(right - left),
          std::min(r.height, kCellHeight)};
}

// The x of the boundary before character i.
int64_t BoundaryX(const InputBox& box, size_t i) {
  return int64_t{box.rect.x} + int64_t{kCellWidth} * static_cast<int64_t>(i);
}

void DrawSelection(const InputBox& box, PixelView view) {
  const size_t start = std::min(box.caret, box.anchor), end = std::max(box.caret, box.anchor);
  const PixelRect cells = CellsInBox(box, BoundaryX(box, start), BoundaryX(box, end));
  if (cells.width == 0) return;
  view.Fill(cells, kSelectionColor);
  // From the first character that reaches the visible cells; a glyph may overhang its cell.
  const auto at = static_cast<size_t>((cells.x - int64_t{box.rect.x}) / kCellWidth);
  const size_t first = std::max(start, at > 0 ? at - 1 : 0);
  view.DrawText(static_cast<int>(BoundaryX(box, first)), box.rect.y,
                std::string_view(box.text).substr(first, end - first), kSelectedTextColor, cells);
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

}  // namespace brindle
