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

void WaitForEvents(int x11_connection, int other_fd, int timeout_ms) {
  if (x11_connection < 0) {
    // SDL's wait cannot watch another descriptor: it is looked at this often.
    constexpr int kOtherFdLookMs = 50;
    if (other_fd >= 0 && (timeout_ms < 0 || timeout_ms > kOtherFdLookMs)) {
      timeout_ms = kOtherFdLookMs;
    }
    sdl.WaitEventTimeout(nullptr, timeout_ms);
    return;
  }
  // Events already read from the connection (while waiting for a reply, say) wait in Xlib's
  // queue, where the connection shows nothing: SDL takes them first.
  sdl.PumpEvents();
  if (sdl.HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
  pollfd fds[2] = {{x11_connection, POLLIN, 0}, {other_fd, POLLIN, 0}};
  poll(fds, other_fd >= 0 ? 2 : 1, timeout_ms);
}

}  // namespace brindle
