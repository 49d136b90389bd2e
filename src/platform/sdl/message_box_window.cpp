#include "platform/sdl/message_box_window.h"

#include <string>

#include "platform/sdl/sdl_api.h"
#include "platform/sdl/surface_blit.h"
#include "platform/sdl/text_codes.h"

namespace brindle {
namespace {

bool Inside(const PixelRect& r, int x, int y) {
  return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(std::string_view caption, std::string_view text)
    : layout_(LayOutMessageBox(text)),
      pixels_(static_cast<size_t>(layout_.width) * layout_.height) {
  const std::string title = Utf8FromWindows1252(caption);
  window_ = sdl.CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             layout_.width, layout_.height, SDL_WINDOW_SHOWN);
  if (window_ == nullptr) return;
  id_ = sdl.GetWindowID(window_);
  sdl.RaiseWindow(window_);
  Redraw();
}

MessageBoxWindow::~MessageBoxWindow() {
  if (window_ != nullptr) sdl.DestroyWindow(window_);
}

void MessageBoxWindow::TakeFocus() {
  sdl.RaiseWindow(window_);
  sdl.SetWindowInputFocus(window_);
}

void MessageBoxWindow::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
      switch (event.key.keysym.scancode) {
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
        case SDL_SCANCODE_SPACE:
        case SDL_SCANCODE_ESCAPE:
          answered_ = true;
          break;
        default:
          break;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleButton(event.button);
      break;
    default:
      break;
  }
}

void MessageBoxWindow::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      answered_ = true;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      // Once it can take it, the box takes the keyboard focus, so that Enter answers it.
      if (!focused_) {
        focused_ = true;
        sdl.SetWindowInputFocus(window_);
      }
      Redraw();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      Redraw();
      break;
    default:
      break;
  }
}

// OK is pressed like a button: down on it, then up on it.
void MessageBoxWindow::HandleButton(const SDL_MouseButtonEvent& event) {
  if (event.button != SDL_BUTTON_LEFT) return;
  const bool on_button = Inside(layout_.button, event.x, event.y);
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    pressed_ = on_button;
  } else {
    if (pressed_ && on_button) answered_ = true;
    pressed_ = false;
  }
  Redraw();
}

void MessageBoxWindow::Redraw() {
  DrawMessageBox(layout_, pressed_, PixelView(pixels_, layout_.width, layout_.height));
  ShowInWindow(window_, pixels_, layout_.width, layout_.height, WindowPlacement(1));
}

}  // namespace brindle
