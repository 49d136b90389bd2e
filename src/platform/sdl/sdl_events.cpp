// SDL events as the window events the interpreter sees, with the dialog handling of the message
// loop and the routing of keys, typing and clicks to the input boxes.
#include "platform/sdl/key_map.h"
#include "platform/sdl/message_box_window.h"
#include "platform/sdl/recorded_line.h"
#include "platform/sdl/sdl_api.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/text_codes.h"
#include "platform/window_events.h"
#include "platform/window_keys.h"

namespace brindle {
namespace {

using Type = WindowEvent::Type;

constexpr int kF12Key = 123;

// The window an event belongs to; 0 for events of no window.
uint32_t WindowOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_TEXTINPUT:
      return event.text.windowID;
    case SDL_MOUSEMOTION:
      return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    default:
      return 0;
  }
}

// Windows keeps one mouse move pending, not a queue of them: a move followed by another is
// passed over.
bool AnotherMoveFollows() {
  SDL_Event next;
  return sdl.PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
         next.type == SDL_MOUSEMOTION;
}

}  // namespace

// Recorded where the program is handed the event, so that the recording holds what the program
// took, in the order it took it.
std::optional<WindowEvent> SdlPlatform::Translate(const SDL_Event& event, bool dialog) {
  if (RouteToMessageBox(event)) return std::nullopt;
  std::optional<WindowEvent> made = TranslateForWindow(event, dialog);
  if (recorder_ != nullptr) {
    if (std::optional<TimelineLine> line = RecordedLine(event, made, zoom_)) {
      const Taken taken = dialog ? Taken::kWhenIdle : Taken::kWhileRunning;
      if (line->kind == TimelineLine::Kind::kClose) {
        recorder_->Close(taken);
      } else {
        recorder_->Input(*line, taken);
      }
    }
  }
  return made;
}

std::optional<WindowEvent> SdlPlatform::TranslateForWindow(const SDL_Event& event, bool dialog) {
  switch (event.type) {
    case SDL_QUIT:
      closed_ = true;
      return Event(Type::kClose);
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(event);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return TranslateKey(event.key, dialog);
    case SDL_TEXTINPUT:
      // Characters come as text, so that keyboard layouts and dead keys work; with no box
      // focused the key events alone reach the script.
      if (!boxes_.HasFocus()) return std::nullopt;
      boxes_.Type(Windows1252FromUtf8(event.text.text));
      return Event(Type::kControl);
    case SDL_MOUSEMOTION: {
      if (AnotherMoveFollows()) return std::nullopt;
      WindowEvent e = Event(Type::kMouseMove);
      const CanvasPoint at = ToCanvas(Placement(), event.motion.x, event.motion.y);
      e.x = at.x;
      e.y = at.y;
      return e;
    }
    case SDL_MOUSEBUTTONDOWN: {
      if (event.button.button != SDL_BUTTON_LEFT) return std::nullopt;
      const CanvasPoint at = ToCanvas(Placement(), event.button.x, event.button.y);
      boxes_.Click(at.x, at.y);
      return Event(Type::kControl);
    }
    default:
      return std::nullopt;
  }
}

bool SdlPlatform::MakesWindowEvent(const SDL_Event& event) const {
  const uint32_t window = WindowOf(event);
  if (window != 0 && window != window_id_) return false;  // a message box's
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return VirtualKeyOf(event.key.keysym) != 0;
    case SDL_TEXTINPUT:
      return boxes_.HasFocus();
    case SDL_MOUSEMOTION:
      return true;
    case SDL_MOUSEBUTTONDOWN:
      return event.button.button == SDL_BUTTON_LEFT;
    case SDL_WINDOWEVENT:
      return event.window.event == SDL_WINDOWEVENT_EXPOSED;
    default:
      return false;
  }
}

bool SdlPlatform::RouteToMessageBox(const SDL_Event& event) {
  const uint32_t window = WindowOf(event);
  if (window == 0 || window == window_id_) {
    // A key that went down in a box comes up wherever the focus has gone since.
    if (event.type == SDL_KEYUP && key_went_to_box_[event.key.keysym.scancode]) {
      key_went_to_box_[event.key.keysym.scancode] = false;
      return true;
    }
    return false;
  }
  for (const std::unique_ptr<MessageBoxWindow>& box : open_boxes_) {
    if (box->id() != window) continue;
    if (event.type == SDL_KEYDOWN) key_went_to_box_[event.key.keysym.scancode] = true;
    if (event.type == SDL_KEYUP) key_went_to_box_[event.key.keysym.scancode] = false;
    box->Handle(event);
    return true;
  }
  // A box already answered and gone. Its key's up ends the key's stay there, or the key's
  // next up in the main window would be lost.
  if (event.type == SDL_KEYUP) key_went_to_box_[event.key.keysym.scancode] = false;
  return true;
}

std::optional<WindowEvent> SdlPlatform::TranslateWindowEvent(const SDL_Event& event) {
  switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      closed_ = true;
      return Event(Type::kClose);
    case SDL_WINDOWEVENT_EXPOSED:
      presents_.MarkStale();
      return Event(Type::kPaint);
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      presents_.MarkStale();
      return std::nullopt;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      window_focused_ = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      presents_.MarkStale();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

// While an input box has the focus every key goes to it; the characters it types arrive as
// text, so only the keys that type nothing are given to it as keys.
std::optional<WindowEvent> SdlPlatform::TranslateKey(const SDL_KeyboardEvent& key, bool dialog) {
  // F11 is the window's own, and still reaches the script as any key does.
  if (key.type == SDL_KEYDOWN && key.keysym.scancode == SDL_SCANCODE_F11 && key.repeat == 0) {
    ToggleFullScreen();
  }
  const int vk = VirtualKeyOf(key.keysym);
  if (vk == 0) return std::nullopt;
  // The script still gets the key; a key held down saves one picture, not one a repeat.
  if (vk == kF12Key && key.type == SDL_KEYDOWN && key.repeat == 0) SavePicture();
  if (key.type == SDL_KEYUP) {
    return boxes_.HasFocus() ? Event(Type::kControl) : KeyEvent(Type::kKeyUp, vk);
  }
  return KeyDownInWindow(boxes_, vk, (key.keysym.mod & KMOD_SHIFT) != 0, dialog);
}

}  // namespace brindle
