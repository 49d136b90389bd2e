#include "platform/sdl/display_loss.h"

#include <dlfcn.h>
#include <unistd.h>

namespace brindle {
namespace {

using IoErrorHandler = int (*)(void* display);
using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler handler);

// Xlib calls this when the connection breaks; it must not return (Xlib would end the process
// itself). Only async-signal-safe calls: the process may be anywhere.
int LostDisplay(void*) {
  static constexpr char kMessage[] = "brindle: lost the display\n";
  (void)!write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  _exit(kStatusLostDisplay);
}

}  // namespace

void EndProgramWhenTheDisplayIsLost() {
  // SDL loaded libX11 for its X11 driver; on Wayland it is not loaded and nothing is needed.
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (xlib == nullptr) return;
  if (auto set = reinterpret_cast<SetIoErrorHandler>(dlsym(xlib, "XSetIOErrorHandler"))) {
    set(LostDisplay);
  }
  dlclose(xlib);  // only drops the reference taken above: SDL keeps the library loaded
}

}  // namespace brindle
