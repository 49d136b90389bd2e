#include "platform/sdl/event_wait.h"

#include <poll.h>

#include "platform/sdl/sdl_api.h"

namespace brindle {

int X11ConnectionOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (sdl.GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    return ConnectionNumber(info.info.x11.display);
  }
#else
  (void)window;
#endif
  return -1;
}

void WaitForEvents(int x11_connection, int timeout_ms) {
  if (x11_connection < 0) {
    sdl.WaitEventTimeout(nullptr, timeout_ms);
    return;
  }
  // Events already read from the connection (while waiting for a reply, say) wait in Xlib's
  // queue, where the connection shows nothing: SDL takes them first.
  sdl.PumpEvents();
  if (sdl.HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
  pollfd connection{x11_connection, POLLIN, 0};
  poll(&connection, 1, timeout_ms);
}

}  // namespace brindle
