#include "platform/headless/headless.h"

#include <algorithm>

#include "files/local_path.h"
#include "pictures/png_writer.h"
#include "platform/window_events.h"
#include "platform/window_keys.h"

namespace brindle {
namespace {

using Type = WindowEvent::Type;
using Kind = TimelineLine::Kind;

// A mouse event at the line's x and y.
WindowEvent PointEvent(Type type, const TimelineLine& line) {
  WindowEvent e = Event(type);
  e.x = static_cast<int>(line.a);
  e.y = static_cast<int>(line.b);
  return e;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::FILE* transcript, Timeline timeline)
    : transcript_(transcript), timeline_(std::move(timeline)) {
  timeline_screenshots_ =
      std::any_of(timeline_.lines.begin(), timeline_.lines.end(),
                  [](const TimelineLine& l) { return l.kind == Kind::kScreenshot; });
}

void HeadlessPlatform::ShowMessage(std::string_view caption, std::string_view text) {
  transcript_.Box(caption, text);
}

void HeadlessPlatform::NoteText(int x, int y, std::string_view text) {
  transcript_.Print(x, y, text);
}

std::vector<ColorRef> HeadlessPlatform::Screenshot() const {
  std::vector<ColorRef> picture;
  ComposeScreen(picture);
  return picture;
}

// Before anything was shown the window has its background colour.
void HeadlessPlatform::ComposeScreen(std::vector<ColorRef>& out) const {
  if (shown_.empty()) {
    out.assign(Canvas::kWidth * Canvas::kHeight, kButtonFace);
  } else {
    out.assign(shown_.begin(), shown_.end());
  }
  DrawInputBoxes(boxes_.boxes(), out);
}

// A picture that nothing will read is not copied (see ExpectFinalScreenshot).
void HeadlessPlatform::ShowCanvas(const Canvas& canvas) {
  if (final_screenshot_ || timeline_screenshots_ || observer_) canvas.CopyPixelsTo(shown_);
  canvas_shown_ = true;
}

void HeadlessPlatform::ObservePicture(PictureObserver observer) {
  observer_ = std::move(observer);
  canvas_shown_ = true;  // the picture of time 0, whatever it is
}

// The clock moves only between events, never per token, so without an observer this costs a
// test per event; with one, the picture is composed only when something was shown.
void HeadlessPlatform::MoveClockTo(int64_t ms) {
  if (observer_ && ms != now_ms_) TellPicture();
  now_ms_ = ms;
}

void HeadlessPlatform::TellPicture() {
  if (!canvas_shown_ && boxes_.fields_version() == told_fields_version_) return;
  canvas_shown_ = false;
  told_fields_version_ = boxes_.fields_version();
  // Composed into the same storage every time: a run may tell thousands of pictures.
  ComposeScreen(told_picture_);
  if (!observer_(told_picture_, now_ms_)) observer_ = nullptr;
}

void HeadlessPlatform::StartTimer(uint32_t interval_ms) {
  timer_.Start(now_ms_, interval_ms);
}

void HeadlessPlatform::StopTimer() {
  timer_.Stop();
}

// The pump has no dialog handling: every key goes where the focus is. With nothing queued, no
// wait left and an idle line or the end next, only the message loop or a look for a close
// reads on: until then every call gives nothing, so the pump is told.
std::optional<WindowEvent> HeadlessPlatform::PollEvent() {
  // The clock is read where loops look for a close, not at every token.
  if (time_limit_passed_) return Event(Type::kClose);
  const std::optional<Input> input = Take(false);
  if (!input) {
    pump_may_deliver_ = false;
    return std::nullopt;
  }
  return Deliver(*input);
}

// The dialog handling of the message loop: Enter and Escape become commands 1 and 2, and Tab
// moves the focus; none of them gives a key message. When the timeline is used up the window
// is closed.
WindowEvent HeadlessPlatform::WaitEvent() {
  pump_may_deliver_ = true;
  for (;;) {
    if (PastTimeLimit()) return Event(Type::kClose);
    const std::optional<Input> input = Take(true);
    if (!input) return Event(Type::kClose);
    if (input->kind == Input::Kind::kEvent && input->event.type == Type::kKeyDown) {
      const DialogKey dialog = DialogKeyDown(boxes_, input->event.key);
      if (dialog.event) return *dialog.event;
      if (dialog.taken) continue;
    }
    return Deliver(*input);
  }
}

WindowEvent HeadlessPlatform::Deliver(const Input& input) {
  switch (input.kind) {
    case Input::Kind::kCharacter:
      boxes_.Type(std::string_view(&input.character, 1));
      return Event(Type::kControl);
    case Input::Kind::kClick:
      boxes_.Click(input.event.x, input.event.y);
      return Event(Type::kControl);
    case Input::Kind::kEvent:
      break;
  }
  const WindowEvent& event = input.event;
  const bool key_down = event.type == Type::kKeyDown;
  if (!key_down && event.type != Type::kKeyUp) return event;
  if (event.key == kShiftKey) shift_down_ = key_down;
  if (!boxes_.HasFocus()) return event;
  if (key_down) boxes_.KeyDown(event.key, shift_down_);
  return Event(Type::kControl);
}

bool HeadlessPlatform::PollClose() {
  pump_may_deliver_ = true;
  if (PastTimeLimit()) return true;
  if (!queued_.empty() || !typing_.empty()) {
    if (queued_.empty() || queued_.front().kind != Input::Kind::kEvent ||
        queued_.front().event.type != Type::kClose) {
      return false;
    }
    queued_.pop_front();
    return true;
  }
  // The ticks of a ticks line hold back the lines after it, as idle does.
  if (ticks_line_open_) return false;
  // The pump asks at every token; the lines ahead change only when one is read.
  if (next_line_ == no_close_from_) return false;
  size_t close = next_line_;
  while (close < timeline_.lines.size() && (timeline_.lines[close].kind == Kind::kWait ||
                                            timeline_.lines[close].kind == Kind::kScreenshot)) {
    ++close;
  }
  if (close == timeline_.lines.size() || timeline_.lines[close].kind != Kind::kClose) {
    no_close_from_ = next_line_;
    return false;
  }
  // The lines passed over still happen, without ticks: no handler can run at this depth.
  MoveClockTo(now_ms_ + wait_left_ms_);
  wait_left_ms_ = 0;
  for (; next_line_ < close; ++next_line_) {
    const TimelineLine& line = timeline_.lines[next_line_];
    if (line.kind == Kind::kWait) MoveClockTo(now_ms_ + line.a);
    if (line.kind == Kind::kScreenshot) WriteScreenshot(line);
  }
  ++next_line_;
  return true;
}

std::optional<HeadlessPlatform::Input> HeadlessPlatform::Take(bool in_message_loop) {
  for (;;) {
    if (queued_.empty() && !typing_.empty()) {
      queued_.push_back({Input::Kind::kCharacter, {}, typing_.front()});
      typing_.remove_prefix(1);
    }
    if (!queued_.empty()) {
      Input input = queued_.front();
      queued_.pop_front();
      if (input.kind == Input::Kind::kCharacter && !boxes_.HasFocus()) {
        const int key = VirtualKeyOfCharacter(input.character);
        queued_.push_front({Input::Kind::kEvent, KeyEvent(Type::kKeyUp, key), 0});
        return Input{Input::Kind::kEvent, KeyEvent(Type::kKeyDown, key), 0};
      }
      return input;
    }
    if (TakeTick(in_message_loop)) return Input{Input::Kind::kEvent, Event(Type::kTimer), 0};
    if (ticks_line_open_) {
      // Like idle: only the message loop takes the line's ticks, and reads on after them.
      if (!in_message_loop) return std::nullopt;
      if (TakeTickOfLine()) return Input{Input::Kind::kEvent, Event(Type::kTimer), 0};
    }
    if (!ReadLine(in_message_loop)) return std::nullopt;
  }
}

// Ticks are due at start + k * interval from the latest TIMERON; one due exactly at the end
// of the wait counts. The pump takes every tick, handled or not: each one it takes is an event
// that the run's next tokens do not get. In the message loop a tick that runs no handler
// changes nothing, so the ticks of the rest of the wait are passed at once.
bool HeadlessPlatform::TakeTick(bool in_message_loop) {
  if (wait_left_ms_ <= 0) return false;
  if (timer_.running() && (!in_message_loop || TimerObserved())) {
    const int64_t next = NextTickDue();
    if (next - now_ms_ <= wait_left_ms_) {
      wait_left_ms_ -= next - now_ms_;
      MoveClockTo(next);
      return true;
    }
  }
  MoveClockTo(now_ms_ + wait_left_ms_);
  wait_left_ms_ = 0;
  return false;
}

bool HeadlessPlatform::TakeTickOfLine() {
  if (ticks_left_ > 0 && timer_.running() && TimerObserved()) {
    --ticks_left_;
    MoveClockTo(NextTickDue());
    return true;
  }
  ticks_left_ = 0;
  ticks_line_open_ = false;
  return false;
}

// The clock never stops on a tick it does not take, so a tick due by now is passed over.
int64_t HeadlessPlatform::NextTickDue() const {
  return static_cast<int64_t>(timer_.FirstDueAfter(now_ms_));
}

bool HeadlessPlatform::PastTimeLimit() {
  if (!time_limit_passed_ && deadline_ && std::chrono::steady_clock::now() >= *deadline_) {
    time_limit_passed_ = true;
    pump_may_deliver_ = true;  // the pump's next look takes the close
  }
  return time_limit_passed_;
}

void HeadlessPlatform::WriteScreenshot(const TimelineLine& line) {
  ScreenshotProblem problem{line, true, LeavesCurrentFolder(line.text).value_or("")};
  if (problem.reason.empty()) {
    problem.refused = false;
    if (WritePng(Screenshot(), Canvas::kWidth, Canvas::kHeight, line.text, &problem.reason)) {
      return;
    }
  }
  screenshot_failed_ = true;
  if (report_failure_) report_failure_(problem);
}

void HeadlessPlatform::QueueEvent(const WindowEvent& event) {
  queued_.push_back({Input::Kind::kEvent, event, 0});
}

void HeadlessPlatform::QueueKey(int key) {
  QueueEvent(KeyEvent(Type::kKeyDown, key));
  QueueEvent(KeyEvent(Type::kKeyUp, key));
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
    case Kind::kTicks:
      ticks_left_ = line.a;
      ticks_line_open_ = true;
      break;
    case Kind::kMove:
      QueueEvent(PointEvent(Type::kMouseMove, line));
      break;
    case Kind::kKeyDown:
      QueueEvent(KeyEvent(Type::kKeyDown, static_cast<int>(line.a)));
      break;
    case Kind::kKeyUp:
      QueueEvent(KeyEvent(Type::kKeyUp, static_cast<int>(line.a)));
      break;
    case Kind::kKey:
      QueueKey(static_cast<int>(line.a));
      break;
    case Kind::kClick:
      queued_.push_back({Input::Kind::kClick, PointEvent(Type::kControl, line), 0});
      break;
    case Kind::kType:
      typing_ = line.text;
      break;
    case Kind::kEnter:
      QueueKey(kEnterKey);
      break;
    case Kind::kTab:
      QueueKey(kTabKey);
      break;
    case Kind::kPaint:
      QueueEvent(Event(Type::kPaint));
      break;
    case Kind::kScreenshot:
      WriteScreenshot(line);
      break;
    case Kind::kClose:
      QueueEvent(Event(Type::kClose));
      break;
  }
  return true;
}

}  // namespace brindle
