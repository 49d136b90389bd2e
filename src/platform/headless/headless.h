// The platform with no window: boxes and PRINTs go to the transcript, time is virtual and
// moves only with the events timeline, and the window's picture is kept for screenshots.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas.h"
#include "platform/headless/timeline.h"
#include "platform/headless/transcript.h"
#include "platform/input_boxes.h"
#include "platform/platform.h"
#include "platform/tick_schedule.h"

namespace brindle {

class HeadlessPlatform : public Platform {
 public:
  // A null transcript stream discards the transcript.
  explicit HeadlessPlatform(std::FILE* transcript, Timeline timeline = {});

  void SetEventSink(EventSink* sink) override {
    sink_ = sink;
    boxes_.SetEventSink(sink);
  }
  // Written and answered OK at once: no event is taken while it is "open".
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void NoteText(int x, int y, std::string_view text) override;
  std::optional<WindowEvent> PollEvent() override;
  // Passes over waits and screenshot lines to a close line, with no event before it.
  bool PollClose() override;
  WindowEvent WaitEvent() override;
  // Only once the time limit has passed.
  bool CloseRequested() override { return PastTimeLimit(); }
  void ShowCanvas(const Canvas& canvas) override;
  void StartTimer(uint32_t interval_ms) override;
  void StopTimer() override;
  uint32_t TickCount() override { return static_cast<uint32_t>(now_ms_); }
  uint32_t MillisecondClock() override { return static_cast<uint32_t>(now_ms_); }
  InputBoxes& input_boxes() override { return boxes_; }

  // What the window shows now, the visible input boxes over the last canvas shown: ColorRef
  // pixels, Canvas::kWidth x Canvas::kHeight.
  std::vector<ColorRef> Screenshot() const;
  // The reason of the first transcript write error, or "".
  std::string Flush() { return transcript_.Flush(); }
  // A screenshot line that was not written: refused, because its file is not in or below the
  // current folder (a timeline may come from anyone), or failed, with the reason.
  struct ScreenshotProblem {
    const TimelineLine& line;
    bool refused;
    std::string reason;
  };
  // Told at once of each screenshot line that is not written.
  using ScreenshotFailure = std::function<void(const ScreenshotProblem& problem)>;
  void OnScreenshotFailure(ScreenshotFailure report) { report_failure_ = std::move(report); }
  // A limit on the run's real time: once it has passed, every look for a close finds one
  // (loops look every so many turns, the message loop at every event), whatever the timeline
  // holds.
  void SetTimeLimit(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }
  bool time_limit_passed() const { return time_limit_passed_; }
  // Whether a screenshot line was not written.
  bool screenshot_failed() const { return screenshot_failed_; }
  // The virtual clock, in milliseconds from the start.
  int64_t now_ms() const { return now_ms_; }

  // Told what the window shows, with the virtual time it shows it from, each time the clock
  // is about to move on after that picture changed (first: at the first move). Pictures shown
  // at one time in between are not told apart: only the last counts. The observer returns
  // false to be told no more. It may take the pixels, leaving storage of the same size.
  using PictureObserver = std::function<bool(std::vector<ColorRef>& picture, int64_t ms)>;
  void ObservePicture(PictureObserver observer);
  // Whether Screenshot will be asked for once the run has ended (before the run; true unless
  // said otherwise). With none to come, no observer and no screenshot line in the timeline,
  // nothing reads what the window shows, and showing a canvas copies nothing.
  void ExpectFinalScreenshot(bool expected) { final_screenshot_ = expected; }

 private:
  // What a timeline line makes the user do: an event for the window, or a character or a
  // click, which the focus decides where to send when it is taken.
  struct Input {
    enum class Kind { kEvent, kCharacter, kClick };
    Kind kind = Kind::kEvent;
    WindowEvent event;  // kEvent; kClick: x and y
    char character = 0;
  };

  // The next input of the timeline. The pump stops at an idle line; the message loop passes
  // it. Nothing when the timeline is used up. A character typed with no input box focused
  // is a key press: its down is taken now and its up next.
  std::optional<Input> Take(bool in_message_loop);
  // Sends an input where the focus says: to the focused input box (kControl is what the
  // window then sees), or to the window.
  WindowEvent Deliver(const Input& input);
  // Carries out the next line: queues its events, or does what it does. False at an idle
  // line that the pump may not pass, or at the end.
  bool ReadLine(bool in_message_loop);
  // The next tick due within the rest of the current wait, taken; false when none is due.
  // In the message loop, with nothing to handle ticks, the clock moves to the end of the wait
  // at once.
  bool TakeTick(bool in_message_loop);
  // The next tick of the ticks line being read, taken (in the message loop) when one is left
  // and the timer runs a handler; else the line is done with.
  bool TakeTickOfLine();
  // When the running timer's next tick is due: a whole number of intervals after its start.
  int64_t NextTickDue() const;
  bool TimerObserved() const { return sink_ != nullptr && sink_->HandlesTimer(); }
  void WriteScreenshot(const TimelineLine& line);
  void ComposeScreen(std::vector<ColorRef>& out) const;
  // Every move of the virtual clock goes through here.
  void MoveClockTo(int64_t ms);
  void TellPicture();
  bool PastTimeLimit();
  void QueueKey(int key);
  void QueueEvent(const WindowEvent& event);

  Transcript transcript_;
  InputBoxes boxes_;
  EventSink* sink_ = nullptr;
  std::vector<ColorRef> shown_;  // the last canvas shown; empty until one is
  bool final_screenshot_ = true;
  bool timeline_screenshots_ = false;  // the timeline has screenshot lines
  Timeline timeline_;
  size_t next_line_ = 0;
  size_t no_close_from_ = SIZE_MAX;  // a line from which PollClose found no close ahead
  int64_t wait_left_ms_ = 0;         // of the wait line being read
  // The ticks line being read holds back the lines after it until the message loop finds its
  // last tick handled.
  bool ticks_line_open_ = false;
  int64_t ticks_left_ = 0;
  std::deque<Input> queued_;  // the rest of the line being read
  // The characters of a type line not yet queued: one at a time, however long the line.
  std::string_view typing_;
  bool shift_down_ = false;
  int64_t now_ms_ = 0;
  TickSchedule timer_;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
  bool time_limit_passed_ = false;
  ScreenshotFailure report_failure_;
  bool screenshot_failed_ = false;
  PictureObserver observer_;
  bool canvas_shown_ = false;         // since the observer was last told
  uint64_t told_fields_version_ = 0;  // of the input boxes the observer was last told
  std::vector<ColorRef> told_picture_;
};

}  // namespace brindle
