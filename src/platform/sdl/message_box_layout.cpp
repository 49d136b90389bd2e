#include "platform/sdl/message_box_layout.h"

#include <algorithm>

#include "canvas/canvas_font.h"

namespace brindle {
namespace {

constexpr int kMargin = 16;
constexpr int kMinWidth = 200;
constexpr int kBandHeight = 44;
constexpr int kButtonWidth = 80, kButtonHeight = 26, kButtonRight = 12;
constexpr ColorRef kField = RgbColor(255, 255, 255), kInk = RgbColor(0, 0, 0);
constexpr ColorRef kButtonFill = RgbColor(225, 225, 225), kButtonBorder = RgbColor(0, 120, 215);
constexpr ColorRef kPressedFill = RgbColor(204, 228, 247), kPressedBorder = RgbColor(0, 84, 153);

// One paragraph (no line break in it) as lines of at most kMaxColumns. Stops a little past
// kMaxLines, which is all that can be shown.
void Wrap(std::string_view paragraph, std::vector<std::string>& lines) {
  constexpr size_t kColumns = MessageBoxLayout::kMaxColumns;
  while (paragraph.size() > kColumns && lines.size() <= MessageBoxLayout::kMaxLines) {
    size_t cut = paragraph.rfind(' ', kColumns);
    const bool at_blank = cut != std::string_view::npos && cut > 0;
    if (!at_blank) cut = kColumns;
    lines.emplace_back(paragraph.substr(0, cut));
    paragraph.remove_prefix(at_blank ? cut + 1 : cut);
  }
  lines.emplace_back(paragraph);
}

std::vector<std::string> BreakLines(std::string_view text) {
  std::vector<std::string> lines;
  for (;;) {
    const size_t lf = text.find('\n');
    std::string_view paragraph = text.substr(0, lf);
    if (lf != std::string_view::npos && !paragraph.empty() && paragraph.back() == '\r') {
      paragraph.remove_suffix(1);
    }
    Wrap(paragraph, lines);
    if (lf == std::string_view::npos || lines.size() > MessageBoxLayout::kMaxLines) break;
    text.remove_prefix(lf + 1);
  }
  if (lines.size() > MessageBoxLayout::kMaxLines) {
    lines.resize(MessageBoxLayout::kMaxLines);
    lines.back() = "...";
  }
  return lines;
}

void DrawFrame(PixelView picture, const PixelRect& r, ColorRef border, ColorRef fill) {
  picture.Fill(r, border);
  picture.Fill({r.x + 1, r.y + 1, r.width - 2, r.height - 2}, fill);
}

}  // namespace

MessageBoxLayout LayOutMessageBox(std::string_view text) {
  MessageBoxLayout layout;
  layout.lines = BreakLines(text);
  size_t columns = 0;
  for (const std::string& line : layout.lines) columns = std::max(columns, line.size());
  layout.text_margin = kMargin;
  layout.width = std::max(static_cast<int>(columns) * kCellWidth + 2 * kMargin, kMinWidth);
  const int field_height = static_cast<int>(layout.lines.size()) * kCellHeight + 2 * kMargin;
  layout.text = {0, 0, layout.width, field_height};
  layout.height = field_height + kBandHeight;
  layout.button = {layout.width - kButtonRight - kButtonWidth,
                   field_height + (kBandHeight - kButtonHeight) / 2, kButtonWidth, kButtonHeight};
  return layout;
}

void DrawMessageBox(const MessageBoxLayout& layout, bool pressed, PixelView picture) {
  picture.Fill({0, 0, layout.width, layout.height}, kButtonFace);
  picture.Fill(layout.text, kField);
  int y = layout.text.y + layout.text_margin;
  for (const std::string& line : layout.lines) {
    picture.DrawText(layout.text.x + layout.text_margin, y, line, kInk, layout.text);
    y += kCellHeight;
  }
  const PixelRect& b = layout.button;
  DrawFrame(picture, b, pressed ? kPressedBorder : kButtonBorder,
            pressed ? kPressedFill : kButtonFill);
  picture.DrawText(b.x + (b.width - 2 * kCellWidth) / 2, b.y + (b.height - kCellHeight) / 2, "OK",
                   kInk, b);
}

}  // namespace brindle
