#include "platform/sdl/recorded_line.h"

#include "platform/input_boxes.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/sdl_api.h"
#include "platform/sdl/text_codes.h"
#include "platform/window_events.h"

namespace brindle {
namespace {

using Kind = TimelineLine::Kind;
using Type = WindowEvent::Type;

TimelineLine Line(Kind kind, int64_t a = 0, int64_t b = 0) {
  TimelineLine line;
  line.kind = kind;
  line.a = a;
  line.b = b;
  return line;
}

// A key down that reached the program, or the message loop's Tab, which moved the focus and
// handed over nothing. With an input box focused, a character key only announces the text
// that follows it; the replay types that text.
std::optional<TimelineLine> KeyDownLine(const SDL_KeyboardEvent& key,
                                        const std::optional<WindowEvent>& made) {
  const int vk = VirtualKeyOf(key.keysym);
  if (vk == 0) return std::nullopt;
  if (!made) {
    if (vk == kTabKey) return Line(Kind::kKeyDown, vk);
    return std::nullopt;
  }
  const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
  if (made->type == Type::kControl && CharacterOfKey(vk, shift) != 0) return std::nullopt;
  return Line(Kind::kKeyDown, vk);
}

std::optional<TimelineLine> WindowLine(const SDL_WindowEvent& window) {
  if (window.event == SDL_WINDOWEVENT_CLOSE) return Line(Kind::kClose);
  if (window.event == SDL_WINDOWEVENT_EXPOSED) return Line(Kind::kPaint);
  return std::nullopt;
}

}  // namespace

std::optional<TimelineLine> RecordedLine(const SDL_Event& event,
                                         const std::optional<WindowEvent>& made, int zoom) {
  if (event.type == SDL_KEYDOWN) return KeyDownLine(event.key, made);
  if (!made) return std::nullopt;
  switch (event.type) {
    case SDL_QUIT:
      return Line(Kind::kClose);
    case SDL_WINDOWEVENT:
      return WindowLine(event.window);
    case SDL_KEYUP: {
      const int vk = VirtualKeyOf(event.key.keysym);
      return vk != 0 ? std::optional(Line(Kind::kKeyUp, vk)) : std::nullopt;
    }
    case SDL_TEXTINPUT: {
      TimelineLine line = Line(Kind::kType);
      line.text = Windows1252FromUtf8(event.text.text);
      return line.text.empty() ? std::nullopt : std::optional(line);
    }
    case SDL_MOUSEMOTION:
      return Line(Kind::kMove, made->x, made->y);
    case SDL_MOUSEBUTTONDOWN:
      return Line(Kind::kClick, Unzoom(event.button.x, zoom), Unzoom(event.button.y, zoom));
    default:
      return std::nullopt;
  }
}

}  // namespace brindle
