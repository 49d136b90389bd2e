#include "platform/headless.h"

namespace brindle {

HeadlessPlatform::HeadlessPlatform(std::FILE* transcript) : transcript_(transcript) {}

// Before anything was shown the window has its background colour.
const std::vector<ColorRef>& HeadlessPlatform::shown() {
  if (shown_.empty()) shown_.assign(Canvas::kWidth * Canvas::kHeight, kButtonFace);
  return shown_;
}

void HeadlessPlatform::ShowMessage(std::string_view caption, std::string_view text) {
  transcript_.Box(caption, text);
}

void HeadlessPlatform::NoteText(int x, int y, std::string_view text) {
  transcript_.Print(x, y, text);
}

std::optional<WindowEvent> HeadlessPlatform::PollEvent() {
  return std::nullopt;
}

// Without an events timeline the window is closed as soon as the program waits.
WindowEvent HeadlessPlatform::WaitEvent() {
  return WindowEvent{WindowEvent::Type::kClose};
}

void HeadlessPlatform::ShowCanvas(const Canvas& canvas) {
  shown_ = canvas.pixels();
}

void HeadlessPlatform::StartTimer(uint32_t interval_ms) {
  timer_running_ = true;
  timer_interval_ms_ = interval_ms;
}

void HeadlessPlatform::StopTimer() {
  timer_running_ = false;
}

}  // namespace brindle
