// What the window shows: the canvas, the input boxes over it, and the focused input box's
// selection and caret. Screenshots leave the last two out; only the window draws them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "canvas/canvas.h"
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

// The window's picture, kept between redraws. The boxes are drawn again only when the canvas
// or what they show has changed: a blinking caret, a moving caret or selection and a moving
// focus cost a copy of the picture, however many boxes there are.
class WindowPicture {
 public:
  // The canvas the window shows from now on (SWAP, a repaint); it replaces a held one.
  void SetCanvas(const Canvas& canvas);
  // A canvas kept back (see PresentSchedule): the window goes on showing the one before until
  // ShowHeld, or until SetCanvas replaces it. Screenshots show it at once.
  void HoldCanvas(const Canvas& canvas);
  void ShowHeld();
  // Canvas::kWidth x Canvas::kHeight pixels: the canvas (the button face before the first),
  // the boxes over it, then the focused box's selection and, when caret_on, its caret.
  const std::vector<ColorRef>& Compose(const InputBoxes& boxes, bool caret_on);

  // What a screenshot shows, as headless: the last canvas given, held or not (the button face
  // before the first), with the boxes over it, and neither caret nor selection.
  std::vector<ColorRef> Screenshot(const InputBoxes& boxes) const;

  // All the box drawing done so far.
  const BoxDrawingWork& work() const { return work_; }

 private:
  std::vector<ColorRef> canvas_;
  std::vector<ColorRef> held_;
  bool holding_ = false;
  std::vector<ColorRef> with_boxes_;  // canvas_ with the boxes over it
  std::vector<ColorRef> picture_;     // with_boxes_ with the caret and the selection
  bool boxes_drawn_ = false;          // with_boxes_ shows canvas_ as it is now
  uint64_t fields_version_ = 0;       // the boxes' fields_version() with_boxes_ shows
  BoxDrawingWork work_;
};

}  // namespace brindle
