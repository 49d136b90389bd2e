#include "platform/window_note.h"

#include <algorithm>

namespace brindle {
namespace {

constexpr ColorRef kNoteInk = RgbColor(0, 0, 0);
constexpr ColorRef kNotePaper = RgbColor(255, 255, 225);
constexpr int kGlyphWidth = 8, kGlyphHeight = 16, kPadding = 3, kOffset = 6;

}  // namespace

void DrawNote(std::span<ColorRef> picture, int x, int y, std::string_view text) {
  const int w = Canvas::kWidth, h = Canvas::kHeight;
  if (picture.size() < static_cast<size_t>(w) * h) return;
  const int label_w = std::min<int>(w, static_cast<int>(text.size()) * kGlyphWidth + 2 * kPadding);
  const int label_h = kGlyphHeight + 2 * kPadding;
  const int left = std::clamp(x + kOffset, 0, w - label_w);
  const int top = std::clamp(y + kOffset, 0, h - label_h);
  // The label is drawn on a canvas of its own with the canvas's font, then copied over.
  Canvas label;
  label.DrawBox(0, 0, label_w, label_h, kNoteInk, kNotePaper);
  label.DrawText(kPadding, kPadding, text, kNoteInk);
  for (int row = 0; row < label_h; ++row) {
    for (int col = 0; col < label_w; ++col) {
      picture[static_cast<size_t>(top + row) * w + left + col] = label.Pixel(col, row);
    }
  }
  // The cross inverts what it covers, so that it shows on any colour.
  for (int d = -3; d <= 3; ++d) {
    if (Canvas::Contains(x + d, y)) picture[static_cast<size_t>(y) * w + x + d] ^= 0xFFFFFF;
    if (d != 0 && Canvas::Contains(x, y + d)) {
      picture[static_cast<size_t>(y + d) * w + x] ^= 0xFFFFFF;
    }
  }
}

}  // namespace brindle
