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

inline std::optional<WindowEvent> KeyDownInWindow(InputBoxes& boxes, int key, bool shift,
                                                  bool dialog) {
  if (dialog) {
    if (key == kEnterKey) return Command(1);
    if (key == kEscapeKey) return Command(2);
    if (key == kTabKey) {
      boxes.FocusNext();
      return std::nullopt;
    }
  }
  if (!boxes.HasFocus()) return KeyEvent(WindowEvent::Type::kKeyDown, key);
  if (CharacterOfKey(key, shift) == 0) boxes.KeyDown(key, shift);
  return Event(WindowEvent::Type::kControl);
}

}  // namespace brindle
