// Waiting for the window system without SDL's wait. SDL 2 wakes its own wait by sending a
// message to a window over a second X connection; when that window is a message box the user
// has just answered and the program destroys, the message can reach the server after the
// window is gone, and the X error that follows ends the process. On X11 the wait here watches
// the connection itself, which needs no message.
#pragma once

#include <SDL_video.h>

namespace brindle {

// The X connection's file descriptor behind the window; -1 off X11.
int X11ConnectionOf(SDL_Window* window);

// Returns when SDL has events to give, when other_fd (unless -1) is readable, or after
// timeout_ms (-1: no limit).
void WaitForEvents(int x11_connection, int other_fd, int timeout_ms);

}  // namespace brindle
