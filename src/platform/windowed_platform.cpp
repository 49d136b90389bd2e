#include "platform/windowed_platform.h"

#include <algorithm>

namespace brindle {

WindowedPlatform::WindowedPlatform(uint64_t frame_interval_ms)
    : presents_(frame_interval_ms), frame_interval_ms_(frame_interval_ms) {}

void WindowedPlatform::SetEventSink(EventSink* sink) {
  sink_ = sink;
  boxes_.SetEventSink(sink);
}

void WindowedPlatform::StartTimer(uint32_t interval_ms) {
  timer_.Start(NowMs(), interval_ms);
  if (recorder_ != nullptr) recorder_->TimerStarted(interval_ms);
}

void WindowedPlatform::StopTimer() {
  timer_.Stop();
  if (recorder_ != nullptr) recorder_->TimerStopped();
}

bool WindowedPlatform::TimerWakes() const {
  return timer_.running() && sink_ != nullptr && sink_->HandlesTimer();
}

bool WindowedPlatform::TakeTick(uint64_t now_ms, Taken taken) {
  if (!TimerWakes() || !timer_.Take(now_ms)) return false;
  if (recorder_ != nullptr) recorder_->Tick(taken);
  return true;
}

bool WindowedPlatform::EndSeen(uint64_t now_ms) {
  if (!end_requested_ && EndAsked(now_ms)) end_requested_ = true;
  return end_requested_;
}

void WindowedPlatform::NoteCloseFound() {
  closed_ = true;
  if (recorder_ != nullptr) recorder_->Close(Taken::kWhileRunning);
}

void WindowedPlatform::ShowCanvas(const Canvas& canvas) {
  picture_.SetCanvas(canvas);
  note_.reset();
  presents_.Finished(WorkMs());
  // The next pump looks at the clock, so a busy script's picture appears within a frame.
  event_polls_.LookAgain();
}

void WindowedPlatform::ShowClearedCanvas(const Canvas& canvas) {
  picture_.HoldCanvas(canvas);
  note_.reset();
  presents_.Cleared(WorkMs());
}

bool WindowedPlatform::CaretBlinks() const {
  const InputBox* focused = boxes_.Focused();
  return focused != nullptr && focused->visible && window_focused_;
}

void WindowedPlatform::UpdateCaret(uint64_t now_ms) {
  presents_.UpdateCaret(boxes_, CaretBlinks(), now_ms);
}

const std::vector<ColorRef>& WindowedPlatform::Composed() {
  return picture_.Compose(boxes_, presents_.caret_on() && window_focused_);
}

void WindowedPlatform::PresentIfChanged(uint64_t now_ms, Moment moment) {
  if (presents_.holding() && presents_.ReleaseHeld(WorkMs(), moment)) picture_.ShowHeld();
  if (!presents_.Due(boxes_, now_ms, moment == Moment::kWaiting) || !ReadyToPresent()) return;
  Present();
  presents_.Presented(boxes_, now_ms);
}

int WindowedPlatform::WaitLimitMs(uint64_t now_ms, bool timer) const {
  uint64_t until = AttentionDueMs(now_ms);
  if (timer && TimerWakes()) until = std::min(until, timer_.due_ms());
  if (CaretBlinks()) until = std::min(until, presents_.caret_toggle_ms());
  // A picture the screen was not ready for is shown once it is.
  if (presents_.Pending(boxes_)) until = std::min(until, now_ms + frame_interval_ms_);
  if (until == UINT64_MAX) return -1;
  return static_cast<int>(std::min<uint64_t>(until > now_ms ? until - now_ms : 0, 1 << 30));
}

bool WindowedPlatform::WaitFor(uint64_t now_ms, bool timer) {
  UpdateCaret(now_ms);
  PresentIfChanged(now_ms, Moment::kWaiting);
  WaitNative(WaitLimitMs(now_ms, timer), !presents_.Pending(boxes_));
  return Woken();
}

}  // namespace brindle
