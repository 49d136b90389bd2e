// Opening the window: on which display, and with what SDL is told about the program.
#include <cstdlib>
#include <string>

#include "platform/sdl/display_loss.h"
#include "platform/sdl/sdl_api.h"
#include "platform/sdl/sdl_platform.h"

namespace brindle {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The displays to try, for SDL_HINT_VIDEODRIVER: without one SDL would try the display :0 when
// $DISPLAY is not set (someone else's screen in a remote session), and in the end draw off
// screen, where nobody sees the window.
std::string DisplayDrivers() {
  std::string drivers;
  if (!Variable("DISPLAY").empty()) drivers = "x11";
  if (!Variable("WAYLAND_DISPLAY").empty()) drivers += drivers.empty() ? "wayland" : ",wayland";
  return drivers;
}

std::string CannotConnect() {
  std::string what;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    if (Variable(name).empty()) continue;
    what += (what.empty() ? "cannot connect to " : " or ") + Variable(name);
  }
  return what.empty() ? std::string(sdl.GetError()) : what;
}

// A desktop program, not a game: Ctrl+C in the terminal ends it, the screen saver may run,
// and the compositor keeps working. The picture goes to the window as it is, with no 3D
// renderer in between (which would also make SDL replace the window after it was shown).
void SetDesktopHints() {
  sdl.SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  sdl.SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  sdl.SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  sdl.SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
}

}  // namespace

std::unique_ptr<SdlPlatform> SdlPlatform::Open(int zoom, std::string& error) {
  // $SDL_VIDEODRIVER, when set, takes precedence over the hint: whoever sets it knows where
  // the window goes.
  const std::string drivers = DisplayDrivers();
  if (drivers.empty() && Variable("SDL_VIDEODRIVER").empty()) {
    error = "no display ($DISPLAY and $WAYLAND_DISPLAY are not set)";
    return nullptr;
  }
  // SDL is loaded only now, when there is a display to open the window on.
  if (!LoadSdl(error)) return nullptr;
  SetDesktopHints();
  sdl.SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  if (sdl.Init(SDL_INIT_VIDEO) != 0) {
    error = CannotConnect();
    return nullptr;
  }
  SDL_Window* window =
      sdl.CreateWindow("Brindlev10_16_5_2023", 0, 0, Canvas::kWidth * zoom, Canvas::kHeight * zoom,
                       SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
  if (window == nullptr) {
    error = std::string("the window system refused the window (") + sdl.GetError() + ")";
    sdl.Quit();
    return nullptr;
  }
  sdl.StartTextInput();
  EndProgramWhenTheDisplayIsLost();
  return std::unique_ptr<SdlPlatform>(new SdlPlatform(window, zoom));
}

}  // namespace brindle
