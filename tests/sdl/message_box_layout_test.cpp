// How message boxes are laid out and drawn.
#include "platform/sdl/message_box_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas/canvas_font.h"

namespace brindle::testing {
namespace {

using Lines = std::vector<std::string>;

bool Inside(const PixelRect& inner, const PixelRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

TEST(MessageBoxLayout, CrLfAndLfBreakLines) {
  EXPECT_EQ(LayOutMessageBox("Number of tokens: 3\r\nNumber of lines: 1").lines,
            (Lines{"Number of tokens: 3", "Number of lines: 1"}));
  EXPECT_EQ(LayOutMessageBox("a\nb\n").lines, (Lines{"a", "b", ""}));
  EXPECT_EQ(LayOutMessageBox("a\rb").lines, (Lines{"a\rb"})) << "a lone CR is a control byte";
  EXPECT_EQ(LayOutMessageBox("").lines, (Lines{""}));
}

TEST(MessageBoxLayout, LongLinesWrapAtABlankOrAtTheLimit) {
  const std::string word(50, 'w');
  EXPECT_EQ(LayOutMessageBox(word + " " + word).lines, (Lines{word, word}));
  const std::string run(170, 'x');
  EXPECT_EQ(LayOutMessageBox(run).lines,
            (Lines{run.substr(0, 80), run.substr(80, 80), run.substr(160)}));
  EXPECT_EQ(LayOutMessageBox(std::string(80, 'y')).lines.size(), 1u) << "exactly the limit";
  EXPECT_EQ(LayOutMessageBox(" " + std::string(90, 'z')).lines[0], " " + std::string(79, 'z'))
      << "a blank at the start is no place to break";
}

TEST(MessageBoxLayout, ALongTextIsCutOff) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\n";
  const MessageBoxLayout layout = LayOutMessageBox(text);
  ASSERT_EQ(layout.lines.size(), size_t{MessageBoxLayout::kMaxLines});
  EXPECT_EQ(layout.lines[MessageBoxLayout::kMaxLines - 2], "line 28");
  EXPECT_EQ(layout.lines.back(), "...");
  // Sixteen megabytes without a line break lay out as quickly as a short text.
  EXPECT_EQ(LayOutMessageBox(std::string(16 << 20, 'q')).lines.size(),
            size_t{MessageBoxLayout::kMaxLines});
}

TEST(MessageBoxLayout, TheTextFieldAndTheButtonFitTheBox) {
  for (const std::string& text :
       {std::string("OK?"), std::string(80, 'm'), std::string("a\nb\nc")}) {
    const MessageBoxLayout layout = LayOutMessageBox(text);
    const PixelRect box{0, 0, layout.width, layout.height};
    EXPECT_TRUE(Inside(layout.text, box)) << text;
    EXPECT_TRUE(Inside(layout.button, box)) << text;
    EXPECT_GE(layout.button.y, layout.text.y + layout.text.height)
        << "the button is below the text";
    const int text_width =
        static_cast<int>(text.find('\n') == std::string::npos ? text.size() : 1) * kCellWidth;
    EXPECT_GE(layout.text.width, text_width + 2 * layout.text_margin) << text;
    EXPECT_GE(layout.text.height,
              static_cast<int>(layout.lines.size()) * kCellHeight + 2 * layout.text_margin);
  }
}

TEST(MessageBoxLayout, DrawingShowsTheTextOnWhiteAndTheButtonOnTheBand) {
  const MessageBoxLayout layout = LayOutMessageBox("MMMM");
  std::vector<ColorRef> pixels(static_cast<size_t>(layout.width) * layout.height, 0x123456);
  PixelView view(pixels, layout.width, layout.height);
  DrawMessageBox(layout, false, view);
  const int tx = layout.text.x + layout.text_margin, ty = layout.text.y + layout.text_margin;
  int ink = 0;
  for (int y = ty; y < ty + kCellHeight; ++y) {
    for (int x = tx; x < tx + 4 * kCellWidth; ++x) ink += (view.Pixel(x, y) & 0xFF) < 128;
  }
  EXPECT_GT(ink, 40) << "the text in black (anti-aliased)";
  EXPECT_EQ(view.Pixel(layout.width - 1, 0), RgbColor(255, 255, 255));
  EXPECT_EQ(view.Pixel(0, layout.height - 1), kButtonFace);
  const ColorRef border = view.Pixel(layout.button.x, layout.button.y);
  const ColorRef fill = view.Pixel(layout.button.x + 2, layout.button.y + 2);
  EXPECT_NE(border, kButtonFace);
  EXPECT_NE(fill, border);
  DrawMessageBox(layout, true, view);
  EXPECT_NE(view.Pixel(layout.button.x + 2, layout.button.y + 2), fill) << "pressed looks pressed";
}

}  // namespace
}  // namespace brindle::testing
