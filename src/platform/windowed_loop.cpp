// The pump, the message loop and a message box's wait, as every windowed platform runs them.
#include "platform/window_events.h"
#include "platform/windowed_platform.h"

namespace brindle {

using Type = WindowEvent::Type;

// The pump: cheap when called per token, and at most one event.
std::optional<WindowEvent> WindowedPlatform::PollEvent() {
  if (closed_) return Event(Type::kClose);
  if (!event_polls_.Due([this] { return NowMs(); })) return std::nullopt;
  const uint64_t now = NowMs();
  if (EndSeen(now)) return Event(Type::kClose);
  // Before anything is taken: while events keep coming, the pictures still keep up.
  UpdateCaret(now);
  PresentIfChanged(now, Moment::kRunning);
  std::optional<WindowEvent> made = kept_.Take();
  if (made) {
    event_polls_.LookAgain();
    return made;
  }
  while (PollNative(false, made)) {
    if (made) {
      event_polls_.LookAgain();  // more may be waiting
      return made;
    }
  }
  if (TakeTick(now, Taken::kWhileRunning)) return Event(Type::kTimer);
  return std::nullopt;
}

bool WindowedPlatform::PollClose() {
  if (!closed_ && close_polls_.Due([this] { return NowMs(); })) {
    if (EndSeen(NowMs())) return true;
    if (kept_.empty() && FindClose() == CloseAhead::kFirst) NoteCloseFound();
  }
  return closed_;
}

bool WindowedPlatform::CloseRequested() {
  if (!closed_ && close_polls_.Due([this] { return NowMs(); })) {
    if (EndSeen(NowMs())) return true;
    if (FindClose() != CloseAhead::kNone) NoteCloseFound();
    PresentIfChanged(NowMs(), Moment::kRunning);
  }
  return closed_;
}

// The message loop: input first, then the timer, as Windows orders them; the window is brought
// up to date before the wait, and within a frame when events follow each other at once.
WindowEvent WindowedPlatform::WaitEvent() {
  // The run before has ended: what it showed last is its picture.
  UpdateCaret(NowMs());
  PresentIfChanged(NowMs(), Moment::kRunEnded);
  for (;;) {
    if (Ending()) return Event(Type::kClose);
    std::optional<WindowEvent> made = kept_.Take();
    if (made) return *made;
    while (PollNative(true, made)) {
      if (made) return *made;
    }
    const uint64_t now = NowMs();
    if (EndSeen(now)) continue;
    if (TakeTick(now, Taken::kWhenIdle)) return Event(Type::kTimer);
    if (WaitFor(now, true)) return Event(Type::kPaint);
  }
}

void WindowedPlatform::ShowMessage(std::string_view caption, std::string_view text) {
  if (Ending()) return;
  PresentIfChanged(NowMs(), Moment::kWaiting);
  if (!OpenMessageBox(caption, text)) return;
  // Closed however the wait ends: a handler that fails, or a closed window, ends it with an
  // exception.
  struct Open {
    WindowedPlatform& platform;
    bool answered = false;
    ~Open() {
      platform.CloseMessageBox(answered);
      --platform.boxes_open_;
    }
  } open{*this};
  const bool handlers_may_run = ++boxes_open_ <= kMaxNestedBoxes;
  while (!(open.answered = MessageBoxAnswered()) && !Ending()) {
    // Kept input first, one event a time: a handler may answer the box, and what is left
    // then waits for the program.
    std::optional<WindowEvent> made;
    if (handlers_may_run) made = kept_.Take();
    if (made || PollNative(false, made)) {
      if (made) DeliverDuringBox(*made);
      continue;
    }
    const uint64_t now = NowMs();
    if (EndSeen(now)) {
      DeliverDuringBox(Event(Type::kClose));  // ends the run, when one is going on
      break;
    }
    if (handlers_may_run && TakeTick(now, Taken::kWhileRunning)) {
      DeliverDuringBox(Event(Type::kTimer));
      continue;
    }
    if (WaitFor(now, handlers_may_run)) DeliverDuringBox(Event(Type::kPaint));
  }
}

void WindowedPlatform::DeliverDuringBox(const WindowEvent& event) {
  if (sink_ == nullptr) return;
  if (boxes_open_ <= kMaxNestedBoxes || event.type == Type::kClose || event.type == Type::kPaint) {
    sink_->Dispatch(event);
  } else {
    kept_.Keep(event);
  }
}

void WindowedPlatform::StartAfresh() {
  boxes_ = InputBoxes();
  boxes_.SetEventSink(sink_);
  timer_ = TickSchedule();
  picture_ = WindowPicture();
  presents_.StartAfresh(boxes_);
  end_requested_ = false;
  // What was typed or clicked for the run that has ended is not the new run's.
  kept_.Clear();
  std::optional<WindowEvent> made;
  while (!closed_ && PollNative(false, made)) {
  }
  event_polls_.LookAgain();
  close_polls_.LookAgain();
  PresentIfChanged(NowMs(), Moment::kWaiting);
}

}  // namespace brindle
