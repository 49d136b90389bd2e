// The input boxes on the window, as an edit control keeps them: text, caret, selection, which
// one has the keyboard focus, and the notifications a box sends to its window. Both platforms
// keep their boxes here, so typing and focus behave the same headless and in the window.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas.h"
#include "platform/box_text.h"

namespace brindle {

class EventSink;

struct BoxRect {
  int x = 0, y = 0;
  int width = 0, height = 0;  // never negative
  bool Contains(int px, int py) const;
};

struct InputBox {
  int32_t handle = 0;
  BoxRect rect;
  BoxText text;  // never holds a zero byte: one ends the text
  bool visible = true;
  size_t caret = 0;   // a character boundary, 0..text.size()
  size_t anchor = 0;  // the other end of the selection; == caret when nothing is selected
};

class InputBoxes {
 public:
  // The n-th box made (n from 0) has the handle kFirstHandle + kHandleStep * n, which no
  // picture handle reaches.
  static constexpr int32_t kFirstHandle = 131088;
  static constexpr int32_t kHandleStep = 16;
  // What one process may make: past it a box is not created (handle 0).
  static constexpr int kMaxBoxes = 10000;
  // Every box sends this command id, with one of these notification codes.
  static constexpr int kCommandId = 1000;
  static constexpr int kSetFocus = 0x100, kKillFocus = 0x200, kChange = 0x300;

  // Notifications go to the sink at once (none while it is null).
  void SetEventSink(EventSink* sink) { sink_ = sink; }

  // --- What the script does. None of these moves the keyboard focus.
  // The handle of the new box, or 0 when no more can be made. Sends nothing.
  int32_t Create(int x, int y, int width, int height, std::string_view text);
  // The text up to its first zero byte; the caret goes to 0. Sends a change notification.
  // False for a handle that is no box.
  bool SetText(int32_t handle, std::string_view text);
  // The first max_length bytes of the text (all of it by default); nothing for a handle that
  // is no box.
  std::optional<std::string> Text(int32_t handle, size_t max_length = SIZE_MAX) const;
  // Sends nothing.
  void Show(int32_t handle, bool visible);

  // --- What the user does.
  bool HasFocus() const { return focus_ >= 0; }
  // The box with the focus, or null (the window has it). A hidden box keeps the focus.
  const InputBox* Focused() const { return focus_ >= 0 ? &boxes_[focus_] : nullptr; }
  // A click at a window point: the topmost visible box there takes the focus and its caret
  // goes to the nearest character boundary; elsewhere the window takes the focus.
  void Click(int x, int y);
  // Tab: the focus moves to the next visible box in creation order (wrapping; from the window
  // to the first), which selects all its text. Nothing when no box is visible.
  void FocusNext();
  // Typed characters into the focused box, replacing the selection; a zero byte types
  // nothing. One change notification when the text changed.
  void Type(std::string_view characters);
  // A key that goes down while a box has the focus: a character key types its character (a
  // letter lower-case unless shift is down), an editing key edits, any other does nothing.
  void KeyDown(int virtual_key, bool shift);

  std::span<const InputBox> boxes() const { return boxes_; }
  // Changes whenever anything a picture of the boxes shows changes (for the window's redraw),
  // the caret, the selection and the focus included.
  uint64_t version() const { return version_; }
  // Changes whenever what DrawInputBoxes draws changes: boxes made, shown or hidden, texts.
  uint64_t fields_version() const { return fields_version_; }

 private:
  InputBox* Find(int32_t handle);
  const InputBox* Find(int32_t handle) const;
  void MoveFocus(int index);
  void Notify(int code);
  void ReplaceSelection(InputBox& box, std::string_view with);
  enum class Edit { kNotAnEditingKey, kCaret, kText };
  Edit EditKey(InputBox& box, int virtual_key);

  std::vector<InputBox> boxes_;
  int focus_ = -1;  // index into boxes_, -1 for the window
  EventSink* sink_ = nullptr;
  uint64_t version_ = 0;
  uint64_t fields_version_ = 0;
};

// The character a key types on a US keyboard (0 for none): letters, digits, space, the keypad
// digits and operators, and the punctuation keys, shifted or not.
char CharacterOfKey(int virtual_key, bool shift);

// What drawing the boxes took, counted for tests that bound it.
struct BoxDrawingWork {
  uint64_t boxes_examined = 0;  // boxes not passed over at once as covered
  uint64_t pixels_filled = 0;   // field pixels written
  uint64_t characters = 0;      // characters whose glyphs were drawn or looked at
};

// Draws the visible boxes over a picture of kWidth x kHeight ColorRefs, each newer box over the
// older ones: a white field over the box's rectangle, its text in black in the 16 x 8 cell font
// from the top-left corner, clipped to the rectangle. No caret and no selection: screenshots
// stay reproducible. A box that newer boxes cover costs nothing, and no pixel is drawn twice.
void DrawInputBoxes(std::span<const InputBox> boxes, std::span<ColorRef> picture,
                    BoxDrawingWork* work = nullptr);

}  // namespace brindle
