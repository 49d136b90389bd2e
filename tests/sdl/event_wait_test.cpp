// The desktop platform's wait on an X display of its own (Xvfb; skipped without it): an event
// that has reached the program ends the wait, wherever Xlib holds it.
#include "platform/sdl/event_wait.h"

// Before Xlib, whose macros (None, Bool) gtest's names would meet.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

#include "platform/sdl/sdl_api.h"

extern char** environ;

namespace brindle::testing {
namespace {

// An Xvfb server, started with the test and ended with it; display() is empty when none could
// be started.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    int ready[2];
    if (pipe(ready) != 0) return;
    const std::string fd = std::to_string(ready[1]);
    const char* argv[] = {"Xvfb",     "-displayfd", fd.c_str(), "-screen",  "0",
                          "64x64x24", "-nolisten",  "tcp",      "-noreset", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0, 0);
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    // Xvfb writes its display number once it accepts clients.
    std::string number;
    char c;
    while (pid_ > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~VirtualDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) == 1;
}

// SDL's own look at the connection, made before the reply below: it found nothing.
void PumpNothing() {}
SDL_bool NoSdlEvents(Uint32, Uint32) {
  return SDL_FALSE;
}

// A close request from another client is read from the connection with the reply to a request
// of the program's own, after SDL has looked: it waits in Xlib's queue, and the connection shows
// nothing more. The wait must end at once, not at its limit.
TEST(EventWait, AnEventReadInWithAReplyEndsTheWaitAtOnce) {
  VirtualDisplay server;
  if (server.display().empty()) GTEST_SKIP() << "no Xvfb";
  Display* program = XOpenDisplay(server.display().c_str());
  Display* other = XOpenDisplay(server.display().c_str());
  ASSERT_NE(program, nullptr);
  ASSERT_NE(other, nullptr);
  const Window window =
      XCreateSimpleWindow(program, DefaultRootWindow(program), 0, 0, 8, 8, 0, 0, 0);
  XSync(program, False);
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.format = 32;
  close.xclient.message_type = XInternAtom(other, "WM_PROTOCOLS", False);
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(other, "WM_DELETE_WINDOW", False));
  XSendEvent(other, window, False, 0, &close);
  XSync(other, False);
  pollfd arrived{ConnectionNumber(program), POLLIN, 0};
  ASSERT_EQ(poll(&arrived, 1, 10000), 1);
  XSync(program, False);
  ASSERT_EQ(XEventsQueued(program, QueuedAlready), 1);
  ASSERT_FALSE(Readable(ConnectionNumber(program)));

  const SdlApi saved = sdl;
  sdl.PumpEvents = PumpNothing;
  sdl.HasEvents = NoSdlEvents;
  const auto start = std::chrono::steady_clock::now();
  WaitForEvents({program, ConnectionNumber(program)}, -1, 20000);
  const auto waited = std::chrono::steady_clock::now() - start;
  sdl = saved;
  EXPECT_LT(waited, std::chrono::seconds(10)) << "the wait went on to its limit";
  EXPECT_EQ(XEventsQueued(program, QueuedAlready), 1) << "left for SDL to take";
  XCloseDisplay(other);
  XCloseDisplay(program);
}

}  // namespace
}  // namespace brindle::testing
