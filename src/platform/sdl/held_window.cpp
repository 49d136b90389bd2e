// The window while the program holds still in a debugger: kept painted, with the script given
// nothing; a click is handed back as a point for the debugger to answer about.
#include "platform/sdl/canvas_placement.h"
#include "platform/sdl/event_wait.h"
#include "platform/sdl/sdl_api.h"
#include "platform/sdl/sdl_platform.h"

namespace brindle {

std::optional<WindowEvent> SdlPlatform::WaitWhileHeld() {
  using Type = WindowEvent::Type;
  for (;;) {
    if (closed_) return WindowEvent{Type::kClose};
    SDL_Event event;
    bool repaint = false;
    while (sdl.PollEvent(&event)) {
      // A message box open under the stop still takes its own keys and clicks.
      if (RouteToMessageBox(event)) continue;
      if (event.type == SDL_QUIT ||
          (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
        closed_ = true;
        return WindowEvent{Type::kClose};
      }
      if (event.type == SDL_WINDOWEVENT) repaint = true;
      if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
        const CanvasPoint at = ToCanvas(Placement(), event.button.x, event.button.y);
        if (Canvas::Contains(at.x, at.y)) {
          WindowEvent click{Type::kControl};
          click.x = at.x;
          click.y = at.y;
          return click;
        }
      }
    }
    if (repaint) ShowStill();
    if (wake_.Taken()) return std::nullopt;
    WaitForEvents(x11_, -1, -1, wake_.fd());
    if (wake_.Taken()) return std::nullopt;
  }
}

void SdlPlatform::ShowNote(int x, int y, std::string_view text) {
  note_ = Note{x, y, std::string(text)};
  ShowStill();
}

}  // namespace brindle
