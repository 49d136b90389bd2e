// Window events as both platforms make them, and the keys the message loop's dialog handling
// reacts to.
#pragma once

#include "platform/platform.h"

namespace brindle {

constexpr int kTabKey = 9, kEnterKey = 13, kShiftKey = 16, kEscapeKey = 27;

inline WindowEvent Event(WindowEvent::Type type) {
  WindowEvent e;
  e.type = type;
  return e;
}

inline WindowEvent KeyEvent(WindowEvent::Type type, int key) {
  WindowEvent e = Event(type);
  e.key = key;
  return e;
}

// Enter is command 1 and Escape command 2, both with notification code 0.
inline WindowEvent Command(int id) {
  WindowEvent e = Event(WindowEvent::Type::kCommand);
  e.command_id = id;
  return e;
}

}  // namespace brindle
