#include "platform/sdl/event_wait.h"

#include <dlfcn.h>
#include <poll.h>

#include "platform/sdl/sdl_api.h"

namespace brindle {
namespace {

using EventsQueued = int (*)(Display* display, int mode);

// Xlib's XEventsQueued, from the library SDL loaded for its X11 driver.
EventsQueued XlibEventsQueued() {
  static const EventsQueued queued = [] {
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (xlib == nullptr) return EventsQueued{nullptr};
    auto found = reinterpret_cast<EventsQueued>(dlsym(xlib, "XEventsQueued"));
    dlclose(xlib);  // only drops the reference taken here: SDL keeps the library loaded
    return found;
  }();
  return queued;
}

// Sends what Xlib holds back to the server, and moves the events that have arrived, whether
// still on the connection or already read with a reply, into Xlib's queue: true when there
// are any. Nothing is read from the connection between this and a poll after it.
bool XlibHoldsEvents(void* display) {
  const EventsQueued queued = XlibEventsQueued();
  return queued != nullptr && queued(static_cast<Display*>(display), QueuedAfterFlush) > 0;
}

}  // namespace

X11Connection X11ConnectionOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (sdl.GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    return {info.info.x11.display, ConnectionNumber(info.info.x11.display)};
  }
#else
  (void)window;
#endif
  return {};
}

void WaitForEvents(const X11Connection& x11, int other_fd, int timeout_ms) {
  if (x11.fd < 0) {
    // SDL's wait cannot watch another descriptor: it is looked at this often.
    constexpr int kOtherFdLookMs = 50;
    if (other_fd >= 0 && (timeout_ms < 0 || timeout_ms > kOtherFdLookMs)) {
      timeout_ms = kOtherFdLookMs;
    }
    sdl.WaitEventTimeout(nullptr, timeout_ms);
    return;
  }
  sdl.PumpEvents();
  if (sdl.HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
  // What SDL's pump does after its last look at the queue may read events in with a reply (a
  // change of focus it held back reads the keyboard's state, say); the next pump takes them.
  if (XlibHoldsEvents(x11.display)) return;
  pollfd fds[2] = {{x11.fd, POLLIN, 0}, {other_fd, POLLIN, 0}};
  poll(fds, other_fd >= 0 ? 2 : 1, timeout_ms);
}

}  // namespace brindle
