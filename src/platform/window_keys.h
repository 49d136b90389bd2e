// A key pressed in the window, as every platform takes it: in the message loop Enter and
// Escape are commands 1 and 2 and Tab moves the focus between the input boxes, none of them a
// key message; a focused input box takes every other key (the characters a key types reach it
// as typing, so only the keys that type nothing reach it as keys); otherwise the script gets
// the key. Nothing to deliver when Tab moved the focus.
#pragma once

#include <optional>

#include "platform/input_boxes.h"
#include "platform/window_events.h"

namespace brindle {

// What the message loop's dialog handling makes of a key: taken for Enter, Escape and Tab,
// with the command to deliver (none for Tab, which has moved the focus); not taken for the
// others.
struct DialogKey {
  bool taken = false;
  std::optional<WindowEvent> event;
};

inline DialogKey DialogKeyDown(InputBoxes& boxes, int key) {
  if (key == kEnterKey) return {true, Command(1)};
  if (key == kEscapeKey) return {true, Command(2)};
  if (key != kTabKey) return {};
  boxes.FocusNext();
  return {true, std::nullopt};
}

inline std::optional<WindowEvent> KeyDownInWindow(InputBoxes& boxes, int key, bool shift,
                                                  bool dialog) {
  if (dialog) {
    if (DialogKey taken = DialogKeyDown(boxes, key); taken.taken) return taken.event;
  }
  if (!boxes.HasFocus()) return KeyEvent(WindowEvent::Type::kKeyDown, key);
  if (CharacterOfKey(key, shift) == 0) boxes.KeyDown(key, shift);
  return Event(WindowEvent::Type::kControl);
}

}  // namespace brindle
