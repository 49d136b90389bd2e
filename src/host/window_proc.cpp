#include "host/window_proc.h"

#include "exec/executor.h"
#include "runtime/interpreter.h"

namespace brindle {

void WindowProcedure::Dispatch(const WindowEvent& event) {
  using Type = WindowEvent::Type;
  const Blocks& b = in_.image.blocks;
  switch (event.type) {
    case Type::kPaint:
      in_.platform.ShowCanvas(in_.canvas);
      // A waiting window is woken with a repaint when a debugger wants the program's attention,
      // in a message box too.
      if (in_.observer != nullptr) in_.observer->Idle(in_);
      break;
    case Type::kMouseMove:
      // The position is recorded only for scripts that handle mouse moves.
      if (b.HandlerEntry(Handler::kMouseMove) > 0) {
        in_.events.mouse_x = event.x & 0xffff;
        in_.events.mouse_y = event.y & 0xffff;
        RunHandler(b.HandlerEntry(Handler::kMouseMove));
      }
      break;
    case Type::kKeyDown:
      in_.events.wparam = event.key;
      if (b.HandlerEntry(Handler::kKeyDown) > 0) RunHandler(b.HandlerEntry(Handler::kKeyDown));
      break;
    case Type::kKeyUp:
      in_.events.wparam = event.key;
      if (b.HandlerEntry(Handler::kKeyUp) > 0) RunHandler(b.HandlerEntry(Handler::kKeyUp));
      break;
    case Type::kCommand:
      in_.events.wparam = event.command_id & 0xffff;
      if (event.command_id == 1 && event.notification_code == 0 &&
          b.HandlerEntry(Handler::kCommand) > 0) {
        RunHandler(b.HandlerEntry(Handler::kCommand));
      }
      break;
    case Type::kTimer:
      if (b.HandlerEntry(Handler::kTimer) > 0) RunHandler(b.HandlerEntry(Handler::kTimer));
      break;
    case Type::kControl:
      break;
    case Type::kClose:
      throw WindowClosed{};
  }
}

// A tick runs the WMTIMER block and nothing else.
bool WindowProcedure::HandlesTimer() const {
  return in_.image.blocks.HandlerEntry(Handler::kTimer) > 0;
}

// A handler started inside a running script leaves that run exactly where it was.
void WindowProcedure::RunHandler(int entry) {
  const TokenCursor interrupted = in_.cursor;
  in_.cursor.exec_pos = entry;
  ExecuteTokens(in_);
  in_.cursor = in_.active_runs > 0 ? interrupted : TokenCursor{};
}

}  // namespace brindle
