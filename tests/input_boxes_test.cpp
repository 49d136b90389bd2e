// The input boxes as the platforms keep them: handles, focus and its notifications, the caret,
// the selection and editing, the characters keys type, and how boxes are drawn.
#include "platform/input_boxes.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"

namespace brindle::testing {
namespace {

// Records the notification codes of command 1000.
class Recorder : public EventSink {
 public:
  void Dispatch(const WindowEvent& event) override {
    ASSERT_EQ(event.type, WindowEvent::Type::kCommand);
    ASSERT_EQ(event.command_id, InputBoxes::kCommandId);
    codes.push_back(event.notification_code);
  }
  std::vector<int> codes;
};

constexpr int kSet = InputBoxes::kSetFocus, kKill = InputBoxes::kKillFocus,
              kChange = InputBoxes::kChange;

class InputBoxesTest : public ::testing::Test {
 protected:
  InputBoxesTest() { boxes.SetEventSink(&sink); }
  const InputBox& Box(int i) { return boxes.boxes()[i]; }
  InputBoxes boxes;
  Recorder sink;
};

TEST_F(InputBoxesTest, HandlesTextsAndWhatTheScriptDoesSendOnlyChanges) {
  EXPECT_EQ(boxes.Create(10, 10, 200, 24, "Name"), 131088);
  EXPECT_EQ(boxes.Create(10, 40, 200, 24, std::string_view("ab\0cd", 5)), 131104);
  boxes.Show(131088, false);
  boxes.Show(131088, true);
  EXPECT_TRUE(sink.codes.empty()) << "creating, showing and hiding send nothing";
  EXPECT_EQ(boxes.Text(131104), "ab");
  EXPECT_EQ(boxes.Text(131096), std::nullopt) << "between two handles";
  EXPECT_EQ(boxes.Text(0), std::nullopt);
  EXPECT_EQ(boxes.Text(-2147483647 - 1), std::nullopt);
  EXPECT_TRUE(boxes.SetText(131088, std::string_view("x\0y", 3)));
  EXPECT_FALSE(boxes.SetText(5, "nobody"));
  EXPECT_EQ(boxes.Text(131088), "x");
  EXPECT_EQ(sink.codes, std::vector<int>{kChange});
  EXPECT_EQ(Box(0).caret, 0u);
  boxes.Create(0, 0, -5, -1, "");
  EXPECT_EQ(Box(2).rect.width, 0) << "a negative size is an empty box";
  EXPECT_EQ(Box(2).rect.height, 0);
}

TEST_F(InputBoxesTest, NoMoreThanTheLimitAreMade) {
  for (int i = 0; i < InputBoxes::kMaxBoxes; ++i) ASSERT_NE(boxes.Create(0, 0, 1, 1, ""), 0);
  EXPECT_EQ(boxes.Create(0, 0, 1, 1, ""), 0);
}

TEST_F(InputBoxesTest, ClicksMoveTheFocusAndPutTheCaretAtTheNearestBoundary) {
  boxes.Create(10, 10, 100, 20, "abcdef");
  boxes.Create(50, 10, 100, 20, "newer");
  boxes.Click(13, 15);  // 3 px into the first cell
  ASSERT_EQ(boxes.Focused(), &Box(0));
  EXPECT_EQ(Box(0).caret, 0u);
  boxes.Click(14, 15);  // halfway: the later boundary
  EXPECT_EQ(Box(0).caret, 1u);
  EXPECT_EQ(sink.codes, std::vector<int>{kSet}) << "a click on the focused box changes no focus";
  boxes.Click(60, 15);  // both boxes are here: the newer is on top
  EXPECT_EQ(boxes.Focused(), &Box(1));
  EXPECT_EQ(Box(1).caret, 1u);
  boxes.Click(140, 25);  // past the end of the text
  EXPECT_EQ(Box(1).caret, 5u);
  boxes.Click(500, 500);
  EXPECT_EQ(boxes.Focused(), nullptr);
  EXPECT_EQ(sink.codes, (std::vector<int>{kSet, kKill, kSet, kKill}));
  boxes.Show(131104, false);
  boxes.Click(60, 15);
  EXPECT_EQ(boxes.Focused(), &Box(0)) << "a hidden box cannot be clicked: the one under it is";
  boxes.Click(10, 30);  // the bottom edge is outside
  EXPECT_EQ(boxes.Focused(), nullptr);
}

TEST_F(InputBoxesTest, TabGoesToTheNextVisibleBoxWrapsAndSelectsAll) {
  boxes.FocusNext();
  EXPECT_EQ(boxes.Focused(), nullptr) << "no box";
  boxes.Create(0, 0, 80, 20, "one");
  boxes.Create(0, 30, 80, 20, "two");
  boxes.Create(0, 60, 80, 20, "three");
  boxes.Show(131104, false);
  boxes.FocusNext();
  EXPECT_EQ(boxes.Focused(), &Box(0));
  boxes.FocusNext();
  EXPECT_EQ(boxes.Focused(), &Box(2)) << "the hidden box is passed over";
  EXPECT_EQ(Box(2).anchor, 0u);
  EXPECT_EQ(Box(2).caret, 5u);
  boxes.FocusNext();
  EXPECT_EQ(boxes.Focused(), &Box(0)) << "wraps";
  boxes.Type("X");
  EXPECT_EQ(boxes.Text(131088), "X") << "typing replaces the selection";
  EXPECT_EQ(sink.codes, (std::vector<int>{kSet, kKill, kSet, kKill, kSet, kChange}));
  // A hidden box keeps the focus, and typing still edits it.
  boxes.Show(131088, false);
  boxes.Type("y");
  EXPECT_EQ(boxes.Text(131088), "Xy");
}

TEST_F(InputBoxesTest, EditingKeysAndTheSelection) {
  boxes.Create(0, 0, 200, 20, "hello");
  boxes.FocusNext();  // all selected
  boxes.KeyDown(37, false);
  EXPECT_EQ(Box(0).caret, 0u) << "Left collapses a selection to its start";
  boxes.KeyDown(35, false);
  EXPECT_EQ(Box(0).caret, 5u);
  boxes.KeyDown(36, false);
  boxes.KeyDown(39, false);
  boxes.KeyDown(40, false);  // Down acts as Right
  EXPECT_EQ(Box(0).caret, 2u);
  boxes.KeyDown(46, false);
  EXPECT_EQ(boxes.Text(131088), "helo");
  boxes.KeyDown(8, false);
  EXPECT_EQ(boxes.Text(131088), "hlo");
  EXPECT_EQ(Box(0).caret, 1u);
  boxes.KeyDown(36, false);
  boxes.KeyDown(8, false);   // nothing before the caret
  boxes.KeyDown(38, false);  // Up acts as Left, at 0 stays
  EXPECT_EQ(Box(0).caret, 0u);
  boxes.KeyDown(35, false);
  boxes.KeyDown(46, false);  // nothing after it
  EXPECT_EQ(boxes.Text(131088), "hlo");
  const std::vector<int> two_changes = {kSet, kChange, kChange};
  EXPECT_EQ(sink.codes, two_changes) << "only changes of the text notify";
  boxes.FocusNext();
  boxes.KeyDown(39, false);
  EXPECT_EQ(Box(0).caret, 3u) << "Right collapses a selection to its end";
  boxes.FocusNext();
  boxes.KeyDown(8, false);
  EXPECT_EQ(boxes.Text(131088), "") << "Backspace deletes the selection";
  boxes.KeyDown(65, false);
  boxes.KeyDown(66, true);
  boxes.KeyDown(49, true);
  boxes.KeyDown(0xBA, false);
  boxes.KeyDown(16, false);  // Shift, Ctrl and Caps Lock type nothing
  boxes.KeyDown(17, false);
  boxes.KeyDown(20, false);
  boxes.KeyDown(13, false);  // neither do Enter and Tab
  boxes.KeyDown(9, false);
  EXPECT_EQ(boxes.Text(131088), "aB!;");
  boxes.Type(std::string_view("\x01\0\t", 3));
  EXPECT_EQ(boxes.Text(131088), "aB!;") << "control characters type nothing";
  boxes.SetText(131088, "new");
  EXPECT_EQ(Box(0).caret, 0u);
  EXPECT_EQ(Box(0).anchor, 0u);
}

// In a box holding 16 MiB, moving the caret copies nothing, and typing, deleting, replacing
// the selection and the notifications they send copy a few pieces; GETTEXT's read is cut.
TEST_F(InputBoxesTest, EditingAHugeTextCopiesOnlyWhatChanges) {
  constexpr size_t kSize = size_t{16} << 20;
  boxes.Create(0, 0, 200, 20, std::string(kSize, 'x'));
  const BoxText& text = Box(0).text;
  const uint64_t made = text.bytes_copied();
  boxes.Click(5, 5);
  boxes.FocusNext();  // the only box again, all selected
  for (const int key : {35, 37, 37, 36, 39, 40, 38, 35}) boxes.KeyDown(key, false);
  boxes.Click(20, 5);
  EXPECT_EQ(text.bytes_copied(), made) << "caret moves and the focus copy nothing";
  EXPECT_EQ(text.bytes_read(), 0u);
  const uint64_t bound = 8 * BoxText::kMaxPiece;
  for (const int key : {65, 8, 46, 66}) {
    const uint64_t before = text.bytes_copied();
    boxes.KeyDown(key, false);
    EXPECT_LE(text.bytes_copied() - before, bound) << key;
  }
  boxes.KeyDown(35, false);
  boxes.Type("typed");
  EXPECT_EQ(text.size(), kSize + 5);
  uint64_t before = text.bytes_copied();
  boxes.FocusNext();
  boxes.Type("all");  // replaces the whole text
  EXPECT_LE(text.bytes_copied() - before, bound);
  EXPECT_EQ(boxes.Text(131088), "all");
  boxes.SetText(131088, std::string(kSize, 'y'));
  const uint64_t read = text.bytes_read();
  EXPECT_EQ(boxes.Text(131088, 255), std::string(255, 'y'));
  EXPECT_EQ(text.bytes_read() - read, 255u);
  std::vector<int> codes(8, kChange);
  codes[0] = kSet;
  EXPECT_EQ(sink.codes, codes) << "seven changes: four keys, two typings, SETTEXT";
}

TEST(CharacterOfKey, TheUsLayout) {
  EXPECT_EQ(CharacterOfKey('Q', false), 'q');
  EXPECT_EQ(CharacterOfKey('Q', true), 'Q');
  EXPECT_EQ(CharacterOfKey('0', true), ')');
  EXPECT_EQ(CharacterOfKey('9', true), '(');
  EXPECT_EQ(CharacterOfKey('5', false), '5');
  EXPECT_EQ(CharacterOfKey(32, true), ' ');
  EXPECT_EQ(CharacterOfKey(96, false), '0');
  EXPECT_EQ(CharacterOfKey(105, false), '9');
  EXPECT_EQ(CharacterOfKey(107, false), '+');
  EXPECT_EQ(CharacterOfKey(0xDE, true), '"');
  EXPECT_EQ(CharacterOfKey(0xDC, false), '\\');
  EXPECT_EQ(CharacterOfKey(0xC0, true), '~');
  EXPECT_EQ(CharacterOfKey(112, false), 0) << "F1";
  EXPECT_EQ(CharacterOfKey(8, false), 0);
}

TEST(DrawInputBoxes, WhiteFieldBlackTextClippedNewestOnTop) {
  std::vector<ColorRef> picture(Canvas::kWidth * Canvas::kHeight, kButtonFace);
  auto at = [&](int x, int y) { return picture[y * Canvas::kWidth + x]; };
  InputBoxes boxes;
  boxes.Create(-4, 10, 24, 20, "MMMMMMMM");  // reaches out of the picture on the left
  boxes.Create(10, 20, 30, 20, "");          // over the first one's lower part
  boxes.Create(100, 100, 50, 20, "hidden");
  boxes.Show(131120, false);
  boxes.Create(Canvas::kWidth - 5, Canvas::kHeight - 5, 50, 50, "edge");
  DrawInputBoxes(boxes.boxes(), picture);
  EXPECT_EQ(at(0, 10), RgbColor(255, 255, 255)) << "clipped at the left edge of the picture";
  bool dark_in_first = false;
  for (int y = 10; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) dark_in_first |= at(x, y) == RgbColor(0, 0, 0);
  }
  EXPECT_TRUE(dark_in_first) << "the text is black";
  EXPECT_EQ(at(20, 15), kButtonFace) << "right edge exclusive";
  EXPECT_EQ(at(5, 9), kButtonFace);
  for (int x = 10; x < 40; ++x) EXPECT_EQ(at(x, 25), RgbColor(255, 255, 255)) << x;
  EXPECT_EQ(at(40, 25), kButtonFace);
  EXPECT_EQ(at(120, 110), kButtonFace) << "hidden boxes are not drawn";
  EXPECT_EQ(at(Canvas::kWidth - 1, Canvas::kHeight - 1), RgbColor(255, 255, 255));
  EXPECT_EQ(at(Canvas::kWidth - 6, Canvas::kHeight - 1), kButtonFace);
}

}  // namespace
}  // namespace brindle::testing
