// Waiting for the window system without SDL's wait. SDL 2 wakes its own wait by sending a
// message to a window over a second X connection; when that window is a message box the user
// has just answered and the program destroys, the message can reach the server after the
// window is gone, and the X error that follows ends the process. On X11 the wait here watches
// the connection itself, which needs no message.
#pragma once

struct SDL_Window;

namespace brindle {

// The X connection behind the window: its Display (as void*, so that this header needs no X
// header) and its file descriptor; none off X11.
struct X11Connection {
  void* display = nullptr;
  int fd = -1;
};
X11Connection X11ConnectionOf(SDL_Window* window);

// A descriptor another thread makes readable to end a wait (an eventfd; -1 where none could be
// made, and then nothing wakes the wait early).
class WakeSignal {
 public:
  WakeSignal();
  ~WakeSignal();
  WakeSignal(const WakeSignal&) = delete;
  WakeSignal& operator=(const WakeSignal&) = delete;
  int fd() const { return fd_; }
  // From any thread.
  void Raise();
  // Whether it was raised since the last look; lowers it.
  bool Taken();

 private:
  int fd_ = -1;
};

// Returns when SDL has events to give, when other_fd or wake_fd (unless -1) is readable, or
// after timeout_ms (-1: no limit). An event that has reached the program never waits for the next:
// one that a reply brought in ahead of it sits in Xlib's queue, where the connection shows
// nothing, so that queue is looked at last, right before the wait.
void WaitForEvents(const X11Connection& x11, int other_fd, int timeout_ms, int wake_fd = -1);

}  // namespace brindle
