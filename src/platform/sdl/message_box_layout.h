// What a message box shows and where: its text broken into lines on a white field, and a band
// below it with the OK button. Sizes are in window pixels; text is in the canvas font.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "canvas/pixel_view.h"

namespace brindle {

struct MessageBoxLayout {
  static constexpr int kMaxColumns = 80;  // longer lines wrap
  static constexpr int kMaxLines = 30;    // the rest of a longer text is cut off

  int width = 0, height = 0;       // the box's client area
  std::vector<std::string> lines;  // one row of cells each, at least one
  PixelRect text;                  // the white field; the first line starts at its margin
  int text_margin = 0;             // from the field's edges to the text
  PixelRect button;                // OK
};

// CR LF and LF break lines. A line longer than kMaxColumns wraps at its last blank within the
// limit (or at the limit when there is none); past kMaxLines the last line shows "..." instead.
MessageBoxLayout LayOutMessageBox(std::string_view text);

// Draws the box into a picture of the layout's size. pressed: the button is held down.
void DrawMessageBox(const MessageBoxLayout& layout, bool pressed, PixelView picture);

}  // namespace brindle
