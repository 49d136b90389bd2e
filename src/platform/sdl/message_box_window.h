// A message box as a window of its own: caption, text and an OK button. It has no owner, so the
// main window stays usable while it is open; the platform's loop feeds it its events.
#pragma once

#include <SDL_events.h>
#include <SDL_video.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/sdl/message_box_layout.h"

namespace brindle {

class MessageBoxWindow {
 public:
  // Opens the window, centred on the screen and given the keyboard focus.
  MessageBoxWindow(std::string_view caption, std::string_view text);
  ~MessageBoxWindow();
  MessageBoxWindow(const MessageBoxWindow&) = delete;
  MessageBoxWindow& operator=(const MessageBoxWindow&) = delete;

  // False when the window system refused the window.
  bool opened() const { return window_ != nullptr; }
  uint32_t id() const { return id_; }
  // Enter, Space or Escape, a click on OK, or closing the box answers it.
  bool answered() const { return answered_; }

  // Raises the box and gives it the keyboard (when a box opened over it has been answered).
  void TakeFocus();

  // An event of this window.
  void Handle(const SDL_Event& event);

 private:
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleButton(const SDL_MouseButtonEvent& event);
  void Redraw();

  SDL_Window* window_ = nullptr;
  uint32_t id_ = 0;
  MessageBoxLayout layout_;
  std::vector<ColorRef> pixels_;
  bool pressed_ = false;  // the mouse went down on OK and has not come up yet
  bool answered_ = false;
  bool focused_ = false;
};

}  // namespace brindle
