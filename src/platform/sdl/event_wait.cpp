#include "platform/sdl/event_wait.h"

#include <dlfcn.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

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

WakeSignal::WakeSignal() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeSignal::~WakeSignal() {
  if (fd_ >= 0) close(fd_);
}

void WakeSignal::Raise() {
  const uint64_t one = 1;
  if (fd_ >= 0) (void)!write(fd_, &one, sizeof one);
}

bool WakeSignal::Taken() {
  uint64_t count = 0;
  return fd_ >= 0 && read(fd_, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

void WaitForEvents(const X11Connection& x11, int other_fd, int timeout_ms, int wake_fd) {
  if (x11.fd < 0) {
    // SDL's wait cannot watch another descriptor: it is looked at this often.
    constexpr int kOtherFdLookMs = 50;
    if ((other_fd >= 0 || wake_fd >= 0) && (timeout_ms < 0 || timeout_ms > kOtherFdLookMs)) {
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
  pollfd fds[3] = {{x11.fd, POLLIN, 0}, {other_fd, POLLIN, 0}, {wake_fd, POLLIN, 0}};
  poll(fds, 3, timeout_ms);  // a negative descriptor is passed over
}

}  // namespace brindle
