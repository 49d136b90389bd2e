#include "platform/web/web_platform.h"

#include <algorithm>

#include "platform/window_events.h"

namespace brindle {
namespace {

// While a busy script runs, a picture is sent to the page at most this often (a frame of a
// 60 Hz display), and whenever the script waits.
constexpr uint64_t kFrameIntervalMs = 16;
// As the desktop window: past this many nested message boxes, events wait until one is
// answered, so that a failing timer handler cannot open boxes without end.
constexpr int kMaxNestedBoxes = 8;

}  // namespace

WebPlatform::WebPlatform(Page& page)
    : page_(page),
      rgba_(static_cast<size_t>(Canvas::kWidth) * Canvas::kHeight),
      presents_(kFrameIntervalMs) {
  // The page shows the button face until the first SWAP, and the window is painted once
  // when it first appears.
  inputs_.push_back({PageInput::Kind::kPaint});
}

void WebPlatform::SetEventSink(EventSink* sink) {
  sink_ = sink;
  boxes_.SetEventSink(sink);
}

void WebPlatform::StartTimer(uint32_t interval_ms) {
  timer_.Start(NowMs(), interval_ms);
}

bool WebPlatform::TimerWakes() const {
  return timer_.running() && sink_ != nullptr && sink_->HandlesTimer();
}

bool WebPlatform::TakeTick(uint64_t now_ms) {
  return TimerWakes() && timer_.Take(now_ms);
}

void WebPlatform::ShowCanvas(const Canvas& canvas) {
  picture_.SetCanvas(canvas);
  presents_.Finished(NowMs());
  // The next pump looks at the clock, so a busy script's picture appears within a frame.
  polls_.LookAgain();
}

// A worker has no clock of its own running time: the patience is measured on the page's.
void WebPlatform::ShowClearedCanvas(const Canvas& canvas) {
  picture_.HoldCanvas(canvas);
  presents_.Cleared(NowMs());
}

bool WebPlatform::CaretBlinks() const {
  const InputBox* focused = boxes_.Focused();
  return focused != nullptr && focused->visible && canvas_focused_;
}

void WebPlatform::UpdateCaret(uint64_t now_ms) {
  presents_.UpdateCaret(boxes_, CaretBlinks(), now_ms);
}

void WebPlatform::Present(uint64_t now_ms, Moment moment) {
  if (presents_.ReleaseHeld(now_ms, moment)) picture_.ShowHeld();
  if (!presents_.Due(boxes_, now_ms, moment == Moment::kWaiting) || !page_.ReadyForPicture()) {
    return;
  }
  const std::vector<ColorRef>& picture =
      picture_.Compose(boxes_, presents_.caret_on() && canvas_focused_);
  // A ColorRef is 0x00BBGGRR: in memory R, G, B, then the byte that becomes alpha.
  std::transform(picture.begin(), picture.end(), rgba_.begin(),
                 [](ColorRef c) { return (c & 0xFFFFFFu) | 0xFF000000u; });
  page_.ShowPicture(rgba_);
  presents_.Presented(boxes_, now_ms);
}

bool WebPlatform::CloseRequested() {
  Present(NowMs(), Moment::kRunning);
  return false;
}

int WebPlatform::WaitLimitMs(uint64_t now_ms, bool timer) const {
  uint64_t until = UINT64_MAX;
  if (timer && TimerWakes()) until = timer_.due_ms();
  if (CaretBlinks()) until = std::min(until, presents_.caret_toggle_ms());
  // A picture the page was not ready for is sent once it is.
  if (presents_.Pending(boxes_)) {
    until = std::min(until, now_ms + kFrameIntervalMs);
  }
  if (until == UINT64_MAX) return -1;
  return static_cast<int>(std::min<uint64_t>(until > now_ms ? until - now_ms : 0, 1 << 30));
}

bool WebPlatform::Settled() const {
  return !presents_.Pending(boxes_);
}

// The pump: cheap when called per token, and at most one event.
std::optional<WindowEvent> WebPlatform::PollEvent() {
  if (!polls_.Due([this] { return NowMs(); })) return std::nullopt;
  const uint64_t now = NowMs();
  // Before anything is taken: while events keep coming, the pictures still keep up.
  UpdateCaret(now);
  Present(now, Moment::kRunning);
  page_.TakeInputs(inputs_, 0, false);
  if (std::optional<WindowEvent> e = NextEvent(false)) {
    polls_.LookAgain();  // more may be waiting
    return e;
  }
  if (TakeTick(now)) return Event(WindowEvent::Type::kTimer);
  return std::nullopt;
}

// The message loop: input first, then the timer, as Windows orders them; the page is brought
// up to date before the wait, and within a frame when events follow each other at once.
WindowEvent WebPlatform::WaitEvent() {
  if (!waited_) {
    waited_ = true;
    page_.Waiting();
  }
  // The run before has ended: what it showed last is its picture.
  UpdateCaret(NowMs());
  Present(NowMs(), Moment::kRunEnded);
  for (;;) {
    page_.TakeInputs(inputs_, 0, false);
    if (std::optional<WindowEvent> e = NextEvent(true)) return *e;
    const uint64_t now = NowMs();
    if (TakeTick(now)) return Event(WindowEvent::Type::kTimer);
    UpdateCaret(now);
    Present(now, Moment::kWaiting);
    if (inputs_.empty()) page_.TakeInputs(inputs_, WaitLimitMs(now, true), Settled());
  }
}

void WebPlatform::ShowMessage(std::string_view caption, std::string_view text) {
  Present(NowMs(), Moment::kWaiting);
  const int number = ++last_box_number_;
  page_.OpenMessage(number, caption, text);
  // Counted out however the wait ends: a handler that fails ends it with an exception.
  struct Open {
    int& count;
    ~Open() { --count; }
  } open{++boxes_open_};
  const bool handlers_may_run = boxes_open_ <= kMaxNestedBoxes;
  for (;;) {
    page_.TakeInputs(inputs_, 0, false);
    if (std::optional<WindowEvent> e = NextEvent(false)) {
      DeliverDuringBox(*e);
      continue;
    }
    if (auto at = std::find(answered_.begin(), answered_.end(), number); at != answered_.end()) {
      answered_.erase(at);
      return;
    }
    const uint64_t now = NowMs();
    if (handlers_may_run && TakeTick(now)) {
      DeliverDuringBox(Event(WindowEvent::Type::kTimer));
      continue;
    }
    UpdateCaret(now);
    Present(now, Moment::kWaiting);
    if (inputs_.empty()) page_.TakeInputs(inputs_, WaitLimitMs(now, handlers_may_run), Settled());
  }
}

void WebPlatform::DeliverDuringBox(const WindowEvent& event) {
  if (sink_ == nullptr) return;
  if (boxes_open_ <= kMaxNestedBoxes || event.type == WindowEvent::Type::kPaint) {
    sink_->Dispatch(event);
  }
}

}  // namespace brindle
