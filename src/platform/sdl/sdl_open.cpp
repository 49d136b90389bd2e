// Opening the window: on which display, and with what SDL is told about the program.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/sdl/canvas_placement.h"
#include "platform/sdl/display_loss.h"
#include "platform/sdl/sdl_api.h"
#include "platform/sdl/sdl_platform.h"
#include "text/utf8.h"

namespace brindle {
namespace {

constexpr char kProgramTitle[] = "Brindlev10_16_5_2023";

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

// Room for a window's title bar and borders where the window manager does not say how much it
// takes (before the window exists, on Wayland, with no window manager at all).
constexpr int kAssumedFrameWidth = 16;
constexpr int kAssumedFrameHeight = 48;
constexpr int kMaxAutoZoom = 4;

// The largest zoom whose window fits the usable part of the display (the screen less panels
// and docks). Given the window, its display and its frame as the window manager reports it.
int AutoZoom(SDL_Window* window) {
  const int display = window != nullptr ? std::max(sdl.GetWindowDisplayIndex(window), 0) : 0;
  SDL_Rect usable;
  if (sdl.GetDisplayUsableBounds(display, &usable) != 0) return 1;
  int top = 0, left = 0, bottom = 0, right = 0;
  const bool frame_known = window != nullptr &&
                           sdl.GetWindowBordersSize(window, &top, &left, &bottom, &right) == 0 &&
                           top + left + bottom + right > 0;
  return FittingZoom(usable.w, usable.h, frame_known ? left + right : kAssumedFrameWidth,
                     frame_known ? top + bottom : kAssumedFrameHeight, kMaxAutoZoom);
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
  const bool auto_zoom = zoom == 0;
  if (auto_zoom) zoom = AutoZoom(nullptr);
  SDL_Window* window =
      sdl.CreateWindow(kProgramTitle, 0, 0, Canvas::kWidth * zoom, Canvas::kHeight * zoom,
                       SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
  if (window == nullptr) {
    error = std::string("the window system refused the window (") + sdl.GetError() + ")";
    sdl.Quit();
    return nullptr;
  }
  // Shown, the window is on its display and the window manager may have framed it.
  if (auto_zoom && AutoZoom(window) != zoom) {
    zoom = AutoZoom(window);
    sdl.SetWindowSize(window, Canvas::kWidth * zoom, Canvas::kHeight * zoom);
  }
  // Where no window manager gives it the keyboard, the window takes it.
  sdl.RaiseWindow(window);
  sdl.SetWindowInputFocus(window);
  sdl.StartTextInput();
  EndProgramWhenTheDisplayIsLost();
  return std::unique_ptr<SdlPlatform>(new SdlPlatform(window, zoom));
}

void SdlPlatform::ShowScriptName(std::string_view script_path) {
  const std::string_view name = script_path.substr(script_path.find_last_of('/') + 1);
  std::string title;
  for (size_t i = 0; i < name.size();) {
    const char32_t c = NextUtf8Character(name, i);
    AppendUtf8(title, c == kMalformedUtf8 || c > 0xFFFF ? char32_t{0xFFFD} : c);
  }
  title += std::string(" - ") + kProgramTitle;
  sdl.SetWindowTitle(window_, title.c_str());
}

}  // namespace brindle
