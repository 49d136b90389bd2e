// The focused input box's caret and selection, which only the window shows.
#include "platform/window_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "canvas/canvas_font.h"

namespace brindle::testing {
namespace {

class WindowPictureTest : public ::testing::Test {
 protected:
  WindowPictureTest() : picture(size_t{Canvas::kWidth} * Canvas::kHeight, kButtonFace) {}
  ColorRef At(int x, int y) const { return picture[static_cast<size_t>(y) * Canvas::kWidth + x]; }
  void Draw(bool caret_on) {
    DrawInputBoxes(boxes.boxes(), picture);
    DrawFocusedBox(boxes, caret_on, picture);
  }
  // The rows of column x in [y, y + height) that have the colour.
  int CountInColumn(int x, int y, int height, ColorRef color) const {
    int n = 0;
    for (int row = y; row < y + height; ++row) n += At(x, row) == color;
    return n;
  }
  InputBoxes boxes;
  std::vector<ColorRef> picture;
};

TEST_F(WindowPictureTest, TheCaretIsACellHighLineAtItsBoundaryWhileItBlinksOn) {
  boxes.Create(100, 50, 200, 24, "abcd");
  boxes.Click(100 + 2 * kCellWidth, 55);
  Draw(false);
  EXPECT_EQ(CountInColumn(116, 50, 24, kCaretColor), 0) << "blinked off: no caret, no text there";
  Draw(true);
  EXPECT_EQ(CountInColumn(116, 50, kCellHeight, kCaretColor), kCellHeight);
  EXPECT_EQ(At(116, 50 + kCellHeight), RgbColor(255, 255, 255)) << "not below the cell";
}

TEST_F(WindowPictureTest, TheSelectionIsWhiteTextOnTheHighlight) {
  boxes.Create(100, 50, 200, 24, "WW");
  boxes.FocusNext();  // selects all
  Draw(false);
  int highlight = 0, white = 0;
  for (int y = 50; y < 50 + kCellHeight; ++y) {
    for (int x = 100; x < 116; ++x) {
      highlight += At(x, y) == kSelectionColor;
      white += (At(x, y) & 0xFF) > 128;  // the highlight has no red
    }
  }
  EXPECT_GT(highlight, 100);
  EXPECT_GT(white, 20) << "the letters, light (anti-aliased)";
  EXPECT_EQ(At(116, 55), RgbColor(255, 255, 255)) << "the field after the text is not selected";
  EXPECT_EQ(At(105, 50 + kCellHeight), RgbColor(255, 255, 255)) << "one cell high";
}

TEST_F(WindowPictureTest, EverythingStaysInsideTheBox) {
  boxes.Create(100, 50, 12, 10, "abcdef");
  boxes.FocusNext();
  Draw(true);
  EXPECT_EQ(At(112, 52), kButtonFace) << "the selection is cut at the box's right edge";
  EXPECT_EQ(At(105, 60), kButtonFace) << "and at its bottom";
  EXPECT_EQ(At(111, 52), kSelectionColor);
  boxes.KeyDown(35, false);  // End: the caret past the box
  Draw(true);
  EXPECT_EQ(CountInColumn(148, 40, 40, kCaretColor), 0);
}

TEST_F(WindowPictureTest, NothingWithoutAFocusedVisibleBox) {
  boxes.Create(100, 50, 200, 24, "abc");
  const std::vector<ColorRef> before = [&] {
    DrawInputBoxes(boxes.boxes(), picture);
    return picture;
  }();
  Draw(true);
  EXPECT_EQ(picture, before) << "the window has the focus";
  boxes.Click(101, 51);
  boxes.Show(boxes.boxes()[0].handle, false);
  picture.assign(picture.size(), kButtonFace);
  Draw(true);
  EXPECT_EQ(picture, std::vector<ColorRef>(picture.size(), kButtonFace))
      << "a hidden box keeps the focus but shows nothing";
}

TEST_F(WindowPictureTest, ABoxPartlyLeftOfTheWindow) {
  boxes.Create(-1000, 50, 1100, 24, std::string(300, 'x'));
  boxes.FocusNext();
  Draw(true);
  EXPECT_EQ(At(0, 52), kSelectionColor);
  EXPECT_EQ(At(99, 52), kSelectionColor);
  EXPECT_EQ(At(100, 52), kButtonFace);
}

// The selection and the caret of a box whose 16 MiB text begins far left of the window: only
// the characters that can show are read.
TEST_F(WindowPictureTest, AHugeSelectionCostsWhatShowsOfIt) {
  boxes.Create(-100000000, 50, 200000000, 24, std::string(size_t{16} << 20, 'x'));
  boxes.FocusNext();
  const BoxText& text = boxes.boxes()[0].text;
  DrawFocusedBox(boxes, true, picture);
  EXPECT_LE(text.bytes_read(), Canvas::kWidth / kCellWidth + 4u);
  EXPECT_EQ(At(0, 52), kSelectionColor);
  EXPECT_EQ(At(Canvas::kWidth - 1, 52), kSelectionColor);
  boxes.KeyDown(36, false);  // Home: the caret is far left, nothing selected
  picture.assign(picture.size(), kButtonFace);
  DrawFocusedBox(boxes, true, picture);
  EXPECT_EQ(picture, std::vector<ColorRef>(picture.size(), kButtonFace));
}

// The window's picture keeps the drawn boxes: a blinking or moving caret, the selection and
// the focus draw no box again; the canvas, a text or a box shown or hidden do.
TEST(WindowPicture, DrawsTheBoxesAgainOnlyWhenTheyOrTheCanvasChange) {
  InputBoxes boxes;
  WindowPicture window;
  Canvas canvas;
  EXPECT_EQ(window.Compose(boxes, true),
            std::vector<ColorRef>(size_t{Canvas::kWidth} * Canvas::kHeight, kButtonFace));
  for (int i = 0; i < 1000; ++i) boxes.Create(0, 0, Canvas::kWidth, Canvas::kHeight, "abc");
  auto drawn = [&] { return window.work().pixels_filled; };
  window.Compose(boxes, true);
  const uint64_t once = drawn();
  EXPECT_EQ(once, uint64_t{Canvas::kWidth} * Canvas::kHeight);
  boxes.FocusNext();
  const std::vector<ColorRef> selected = window.Compose(boxes, true);
  boxes.KeyDown(39, false);
  window.Compose(boxes, false);
  const std::vector<ColorRef> caret_on = window.Compose(boxes, true);
  EXPECT_EQ(drawn(), once);
  std::vector<ColorRef> expected(size_t{Canvas::kWidth} * Canvas::kHeight, kButtonFace);
  DrawInputBoxes(boxes.boxes(), expected);
  DrawFocusedBox(boxes, true, expected);
  EXPECT_EQ(caret_on, expected);
  EXPECT_NE(selected, caret_on);

  boxes.Type("d");
  window.Compose(boxes, true);
  EXPECT_EQ(drawn(), 2 * once) << "a text changed";
  boxes.KeyDown(8, false);
  boxes.KeyDown(8, false);
  boxes.KeyDown(8, false);
  boxes.KeyDown(8, false);
  boxes.KeyDown(8, false);  // nothing left to delete
  window.Compose(boxes, true);
  EXPECT_EQ(drawn(), 3 * once);
  canvas.Fill(RgbColor(1, 2, 3));
  window.SetCanvas(canvas);
  const std::vector<ColorRef> hidden = [&] {
    boxes.Show(boxes.boxes().back().handle, false);
    return window.Compose(boxes, true);
  }();
  EXPECT_EQ(drawn(), 4 * once);
  EXPECT_EQ(hidden[300 * Canvas::kWidth + 400], RgbColor(255, 255, 255)) << "the boxes under it";
}

// A held canvas is in screenshots at once and in the window only once shown; a canvas set
// after it replaces it unseen, in both.
TEST(WindowPictureHold, AHeldCanvasIsInScreenshotsAtOnceAndInTheWindowWhenShown) {
  InputBoxes boxes;
  WindowPicture window;
  Canvas canvas;
  const auto corner = [](const std::vector<ColorRef>& p) { return p[0]; };
  canvas.Fill(RgbColor(1, 1, 1));
  window.SetCanvas(canvas);
  canvas.Fill(RgbColor(2, 2, 2));
  window.HoldCanvas(canvas);
  EXPECT_EQ(corner(window.Compose(boxes, false)), RgbColor(1, 1, 1));
  EXPECT_EQ(corner(window.Screenshot(boxes)), RgbColor(2, 2, 2));
  window.ShowHeld();
  EXPECT_EQ(corner(window.Compose(boxes, false)), RgbColor(2, 2, 2));
  window.ShowHeld();  // nothing held: no change
  EXPECT_EQ(corner(window.Compose(boxes, false)), RgbColor(2, 2, 2));
  canvas.Fill(RgbColor(3, 3, 3));
  window.HoldCanvas(canvas);
  canvas.Fill(RgbColor(4, 4, 4));
  window.SetCanvas(canvas);
  window.ShowHeld();
  EXPECT_EQ(corner(window.Compose(boxes, false)), RgbColor(4, 4, 4));
  EXPECT_EQ(corner(window.Screenshot(boxes)), RgbColor(4, 4, 4));
  // The boxes are drawn again over a canvas shown from the hold.
  boxes.Create(0, 0, 10, 10, "");
  window.Compose(boxes, false);
  canvas.Fill(RgbColor(5, 5, 5));
  window.HoldCanvas(canvas);
  window.ShowHeld();
  EXPECT_EQ(window.Compose(boxes, false)[20], RgbColor(5, 5, 5));
  EXPECT_EQ(corner(window.Compose(boxes, false)), RgbColor(255, 255, 255));
}

}  // namespace
}  // namespace brindle::testing
