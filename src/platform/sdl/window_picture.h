// What the window shows over the canvas besides the boxes themselves: the focused input box's
// selection and caret. Screenshots leave both out; only the window draws them.
#pragma once

#include <span>

#include "platform/canvas.h"
#include "platform/input_boxes.h"

namespace brindle {

// Draws over a Canvas::kWidth x Canvas::kHeight picture that already shows the boxes
// (DrawInputBoxes): the focused box's selected characters in white on the highlight colour,
// and, when caret_on, its caret, a one-pixel line the height of a cell at the caret's boundary.
// Both are clipped to the box. Nothing when no box has the focus or it is hidden.
void DrawFocusedBox(const InputBoxes& boxes, bool caret_on, std::span<ColorRef> picture);

constexpr ColorRef kSelectionColor = RgbColor(0, 120, 215);
constexpr ColorRef kSelectedTextColor = RgbColor(255, 255, 255);
constexpr ColorRef kCaretColor = RgbColor(0, 0, 0);

}  // namespace brindle
