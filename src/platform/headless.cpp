#include "platform/headless.h"

#include <algorithm>

#include "platform/png_writer.h"

namespace brindle {
namespace {

using Type = WindowEvent::Type;
using Kind = TimelineLine::Kind;

WindowEvent Event(Type type) {
  WindowEvent e;
  e.type = type;
  return e;
}

WindowEvent KeyEvent(Type type, int key) {
  WindowEvent e = Event(type);
  e.key = key;
  return e;
}

// A mouse event at the line's x and y.
WindowEvent PointEvent(Type type, const TimelineLine& line) {
  WindowEvent e = Event(type);
  e.x = static_cast<int>(line.a);
  e.y = static_cast<int>(line.b);
  return e;
}

WindowEvent Command(int id) {
  WindowEvent e = Event(Type::kCommand);
  e.command_id = id;
  return e;
}

constexpr int kEnterKey = 13, kEscapeKey = 27, kTabKey = 9;

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::FILE* transcript, Timeline timeline)
    : transcript_(transcript), timeline_(std::move(timeline)) {}

void HeadlessPlatform::ShowMessage(std::string_view caption, std::string_view text) {
  transcript_.Box(caption, text);
}

void HeadlessPlatform::NoteText(int x, int y, std::string_view text) {
  transcript_.Print(x, y, text);
}

// Before anything was shown the window has its background colour.
const std::vector<ColorRef>& HeadlessPlatform::shown() {
  if (shown_.empty()) shown_.assign(Canvas::kWidth * Canvas::kHeight, kButtonFace);
  return shown_;
}

void HeadlessPlatform::ShowCanvas(const Canvas& canvas) {
  canvas.CopyPixelsTo(shown_);
}

void HeadlessPlatform::StartTimer(uint32_t interval_ms) {
  timer_running_ = true;
  timer_start_ms_ = now_ms_;
  timer_interval_ms_ = interval_ms;
}

void HeadlessPlatform::StopTimer() {
  timer_running_ = false;
}

// The pump delivers every key as it is.
std::optional<WindowEvent> HeadlessPlatform::PollEvent() {
  return Take(false);
}

// The dialog handling of the message loop: Enter and Escape become commands 1 and 2, and Tab
// moves the focus; none of them gives a key message. When the timeline is used up the window
// is closed.
WindowEvent HeadlessPlatform::WaitEvent() {
  for (;;) {
    std::optional<WindowEvent> event = Take(true);
    if (!event) return Event(Type::kClose);
    if (event->type != Type::kKeyDown) return *event;
    if (event->key == kEnterKey) return Command(1);
    if (event->key == kEscapeKey) return Command(2);
    if (event->key != kTabKey) return *event;
  }
}

std::optional<WindowEvent> HeadlessPlatform::Take(bool in_message_loop) {
  for (;;) {
    if (!queued_.empty()) {
      const WindowEvent event = queued_.front();
      queued_.pop_front();
      return event;
    }
    if (TakeTick()) return Event(Type::kTimer);
    if (!ReadLine(in_message_loop)) return std::nullopt;
  }
}

// Ticks are due at start + k * interval from the latest TIMERON; one due exactly at the end
// of the wait counts.
bool HeadlessPlatform::TakeTick() {
  if (wait_left_ms_ <= 0) return false;
  if (timer_running_) {
    const int64_t interval = std::max<int64_t>(timer_interval_ms_, 1);
    const int64_t next = timer_start_ms_ + ((now_ms_ - timer_start_ms_) / interval + 1) * interval;
    if (next - now_ms_ <= wait_left_ms_) {
      wait_left_ms_ -= next - now_ms_;
      now_ms_ = next;
      return true;
    }
  }
  now_ms_ += wait_left_ms_;
  wait_left_ms_ = 0;
  return false;
}

void HeadlessPlatform::QueueKey(int key) {
  queued_.push_back(KeyEvent(Type::kKeyDown, key));
  queued_.push_back(KeyEvent(Type::kKeyUp, key));
}

bool HeadlessPlatform::ReadLine(bool in_message_loop) {
  if (next_line_ >= timeline_.lines.size()) return false;
  const TimelineLine& line = timeline_.lines[next_line_];
  if (line.kind == Kind::kIdle && !in_message_loop) return false;
  ++next_line_;
  switch (line.kind) {
    case Kind::kIdle:
      break;
    case Kind::kWait:
      wait_left_ms_ = line.a;
      break;
    case Kind::kMove:
      queued_.push_back(PointEvent(Type::kMouseMove, line));
      break;
    case Kind::kKeyDown:
      queued_.push_back(KeyEvent(Type::kKeyDown, static_cast<int>(line.a)));
      break;
    case Kind::kKeyUp:
      queued_.push_back(KeyEvent(Type::kKeyUp, static_cast<int>(line.a)));
      break;
    case Kind::kKey:
      QueueKey(static_cast<int>(line.a));
      break;
    case Kind::kClick:
      queued_.push_back(PointEvent(Type::kControl, line));
      break;
    case Kind::kType:
      for (const char c : line.text) QueueKey(VirtualKeyOfCharacter(c));
      break;
    case Kind::kEnter:
      QueueKey(kEnterKey);
      break;
    case Kind::kTab:
      QueueKey(kTabKey);
      break;
    case Kind::kPaint:
      queued_.push_back(Event(Type::kPaint));
      break;
    case Kind::kScreenshot:
      if (!WritePng(shown(), Canvas::kWidth, Canvas::kHeight, line.text)) {
        failed_screenshots_.push_back(line.text);
      }
      break;
    case Kind::kClose:
      queued_.push_back(Event(Type::kClose));
      break;
  }
  return true;
}

}  // namespace brindle
