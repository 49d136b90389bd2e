// The page's inputs as the window events the interpreter sees, with the dialog handling of the
// message loop and the routing of keys, typing and clicks to the input boxes, as the desktop
// window does them.
#include "platform/web/web_platform.h"
#include "platform/window_events.h"
#include "platform/window_keys.h"
#include "text/windows1252.h"

namespace brindle {

using Type = WindowEvent::Type;
using Kind = PageInput::Kind;

std::optional<WindowEvent> WebPlatform::Translate(const PageInput& input, bool dialog) {
  switch (input.kind) {
    case Kind::kKeyDown:
      return TranslateKeyDown(input, dialog);
    case Kind::kKeyUp:
      if (input.a <= 0) return std::nullopt;
      return boxes_.HasFocus() ? Event(Type::kControl) : KeyEvent(Type::kKeyUp, input.a);
    case Kind::kText: {
      // Characters come as text, so that keyboard layouts and dead keys work; with no box
      // focused the key events alone reach the script.
      const int byte = Windows1252ByteOf(static_cast<char32_t>(input.a));
      if (!boxes_.HasFocus() || byte <= 0) return std::nullopt;
      boxes_.Type(std::string(1, static_cast<char>(byte)));
      return Event(Type::kControl);
    }
    case Kind::kMouseMove: {
      // Windows keeps one mouse move pending, not a queue of them.
      if (!inputs_.empty() && inputs_.front().kind == Kind::kMouseMove) return std::nullopt;
      WindowEvent e = Event(Type::kMouseMove);
      e.x = input.a;
      e.y = input.b;
      return e;
    }
    case Kind::kMouseDown:
      boxes_.Click(input.a, input.b);
      return Event(Type::kControl);
    case Kind::kFocus:
      window_focused_ = input.a != 0;
      presents_.MarkStale();
      return std::nullopt;
    case Kind::kPaint:
      presents_.MarkStale();
      return Event(Type::kPaint);
    case Kind::kAnswer:
      return std::nullopt;
  }
  return std::nullopt;
}

// The page sends the characters a key types apart, as text (see KeyDownInWindow).
std::optional<WindowEvent> WebPlatform::TranslateKeyDown(const PageInput& input, bool dialog) {
  const int vk = input.a;
  if (vk <= 0 || vk > 255) return std::nullopt;
  return KeyDownInWindow(boxes_, vk, input.b != 0, dialog);
}

}  // namespace brindle
