// What every platform with a window does the same way, whatever the window is: the pump and
// the message loop over the window's translated input, the one timer, the focused box's caret,
// when the picture is shown, the waits bounded by whatever needs attention next, and message
// boxes opened by handlers while other boxes wait. A platform gives only its primitives: take
// one of its own events and translate it, wait for more up to a limit, put the picture on the
// screen, and open, watch and close its own message boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas.h"
#include "platform/headless/timeline_recorder.h"
#include "platform/input_boxes.h"
#include "platform/kept_input.h"
#include "platform/platform.h"
#include "platform/poll_throttle.h"
#include "platform/present_schedule.h"
#include "platform/tick_schedule.h"
#include "platform/window_picture.h"

namespace brindle {

class WindowedPlatform : public Platform {
 public:
  // Message boxes opened by handlers that run while other boxes wait: past this depth the boxes
  // still open, but no handler runs behind them until one is answered, so a failing timer
  // handler cannot open boxes without end. Meanwhile ticks are not taken and input is kept
  // (see KeptInput), to be handed on in order ahead of newer input once handlers may run
  // again; paints and closes are handed on at once.
  static constexpr int kMaxNestedBoxes = 8;

  void SetEventSink(EventSink* sink) override;
  // Returns when the user answers the box, or when the window is closed (or the run is asked to
  // end) and no sink ends the run. Until then the main window's events keep reaching the sink.
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void NoteText(int, int, std::string_view) override {}
  std::optional<WindowEvent> PollEvent() override;
  // At the nesting limit: a close that no other event, kept input included, comes before.
  bool PollClose() override;
  WindowEvent WaitEvent() override;
  // In loops: a close anywhere among the pending events. A loop that takes no events never
  // pumps, so its last SWAP is shown from here.
  bool CloseRequested() override;
  void ShowCanvas(const Canvas& canvas) override;
  void ShowClearedCanvas(const Canvas& canvas) override;
  InputBoxes& input_boxes() override { return boxes_; }
  void StartTimer(uint32_t interval_ms) override;
  void StopTimer() override;
  uint32_t TickCount() override { return static_cast<uint32_t>(NowMs()); }
  uint32_t MillisecondClock() override { return TickCount(); }
  // Back to what a new process finds, the window itself kept: no input boxes, no timer, the
  // button face shown, no input pending.
  void StartAfresh() override;

  // Whether the user has closed the window.
  bool closed() const { return closed_; }
  // Whether the run was asked to end from outside the window (see EndAsked).
  bool end_requested() const { return end_requested_; }
  // --record: the ticks, the timer's starts and stops and the close found by looking ahead
  // become timeline lines; the platform records the input it translates.
  void SetRecorder(TimelineRecorder* recorder) { recorder_ = recorder; }
  // What the window shows, as a headless screenshot has it: the boxes without the caret.
  std::vector<ColorRef> Screenshot() const { return picture_.Screenshot(boxes_); }

 protected:
  using Moment = PresentSchedule::Moment;
  using Taken = TimelineRecorder::Taken;
  enum class CloseAhead { kNone, kFirst, kBehindOthers };

  // frame_interval_ms: while a busy script runs, the picture is shown at most this often.
  explicit WindowedPlatform(uint64_t frame_interval_ms);

  // The primitives of a platform.
  virtual uint64_t NowMs() const = 0;
  // Takes one of the platform's own events, if one is waiting (false when none is), and puts
  // the window event it makes, if any, in made. dialog: the message loop's dialog handling
  // (Enter, Escape, Tab). An event may make none, or answer a message box.
  virtual bool PollNative(bool dialog, std::optional<WindowEvent>& made) = 0;
  // Returns when the platform has events to give, or after timeout_ms (-1: no limit). settled:
  // all there is to show has been shown; only the timer or the caret may end the wait.
  virtual void WaitNative(int timeout_ms, bool settled) = 0;
  // Puts Composed() on the screen.
  virtual void Present() = 0;
  // False while the screen cannot take another picture yet: it is kept back and tried again.
  virtual bool ReadyToPresent() { return true; }
  // The platform's message box, innermost of those open; false when none could be opened (the
  // platform says so wherever it can).
  virtual bool OpenMessageBox(std::string_view caption, std::string_view text) = 0;
  virtual bool MessageBoxAnswered() = 0;
  // The innermost box goes, answered or given up on (a run that ends while it waits).
  virtual void CloseMessageBox(bool answered) = 0;

  // What a platform may add. The clock of the present schedule's patience (see
  // PresentSchedule).
  virtual uint64_t WorkMs() const { return NowMs(); }
  // Whether another thread cut the last wait short; a repaint lets the program look at what
  // came in.
  virtual bool Woken() { return false; }
  // Whether something besides the window asks the run to end now (a saved script); once true,
  // the loops end as on a close until StartAfresh.
  virtual bool EndAsked(uint64_t now_ms) { return (void)now_ms, false; }
  // When something of the platform's own needs attention; UINT64_MAX: nothing.
  virtual uint64_t AttentionDueMs(uint64_t now_ms) const { return (void)now_ms, UINT64_MAX; }
  // Looks through the events waiting, taking none, for the window's close.
  virtual CloseAhead FindClose() { return CloseAhead::kNone; }

  // The picture with the boxes over it and, when it is on and the window has the keyboard,
  // the caret.
  const std::vector<ColorRef>& Composed();
  // Shows the picture when it has changed: at once when the program is about to wait, else at
  // most once a frame; a held cleared picture only when the schedule says.
  void PresentIfChanged(uint64_t now_ms, Moment moment);
  void UpdateCaret(uint64_t now_ms);
  // The look ahead found the window's close: the run ends there.
  void NoteCloseFound();

  EventSink* sink_ = nullptr;
  InputBoxes boxes_;
  TimelineRecorder* recorder_ = nullptr;
  bool closed_ = false;
  bool window_focused_ = false;
  WindowPicture picture_;
  PresentSchedule presents_;
  PollThrottle event_polls_;  // of the pump
  struct Note {
    int x = 0, y = 0;
    std::string text;
  };
  std::optional<Note> note_;  // shown over the picture until the next one

 private:
  bool Ending() const { return closed_ || end_requested_; }
  bool EndSeen(uint64_t now_ms);
  // A tick taken for the program, recorded as such.
  bool TakeTick(uint64_t now_ms, Taken taken);
  // Ticks that would run no handler do not wake the program.
  bool TimerWakes() const;
  bool CaretBlinks() const;
  // How long a wait may last before the timer (unless left out), the caret, a picture kept
  // back or the platform needs attention; -1: no limit.
  int WaitLimitMs(uint64_t now_ms, bool timer) const;
  // Waits, then whether it was cut short.
  bool WaitFor(uint64_t now_ms, bool timer);
  // Hands an event to the sink while a message box waits, or keeps it past the nesting limit.
  void DeliverDuringBox(const WindowEvent& event);

  uint64_t frame_interval_ms_;
  TickSchedule timer_;
  PollThrottle close_polls_;  // of the looks for a close
  bool end_requested_ = false;
  int boxes_open_ = 0;
  KeptInput kept_;  // taken past the nesting limit, before anything still to be taken
};

}  // namespace brindle
