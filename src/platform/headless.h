// The platform with no window: boxes and PRINTs go to the transcript, time is virtual and
// moves only with the events timeline, and the window's picture is kept for screenshots.
#pragma once

#include <cstdio>
#include <deque>
#include <vector>

#include "platform/canvas.h"
#include "platform/platform.h"
#include "platform/timeline.h"
#include "platform/transcript.h"

namespace brindle {

class HeadlessPlatform : public Platform {
 public:
  // A null transcript stream discards the transcript.
  explicit HeadlessPlatform(std::FILE* transcript, Timeline timeline = {});

  void SetEventSink(EventSink* sink) override { sink_ = sink; }
  // Written and answered OK at once: no event is taken while it is "open".
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void NoteText(int x, int y, std::string_view text) override;
  std::optional<WindowEvent> PollEvent() override;
  WindowEvent WaitEvent() override;
  void ShowCanvas(const Canvas& canvas) override;
  void StartTimer(uint32_t interval_ms) override;
  void StopTimer() override;
  uint32_t TickCount() override { return static_cast<uint32_t>(now_ms_); }
  uint32_t MillisecondClock() override { return static_cast<uint32_t>(now_ms_); }

  // What the window shows now: ColorRef pixels, Canvas::kWidth x Canvas::kHeight.
  const std::vector<ColorRef>& shown();
  // The reason of the first transcript write error, or "".
  std::string Flush() { return transcript_.Flush(); }
  // Screenshot files the timeline could not write.
  const std::vector<std::string>& failed_screenshots() const { return failed_screenshots_; }

 private:
  // The next event of the timeline. The pump stops at an idle line; the message loop passes
  // it. Nothing when the timeline is used up.
  std::optional<WindowEvent> Take(bool in_message_loop);
  // Carries out the next line: queues its events, or does what it does. False at an idle
  // line that the pump may not pass, or at the end.
  bool ReadLine(bool in_message_loop);
  // The next tick due within the rest of the current wait, taken; false when none is due.
  bool TakeTick();
  void QueueKey(int key);

  Transcript transcript_;
  EventSink* sink_ = nullptr;
  std::vector<ColorRef> shown_;  // empty until the canvas is first shown
  Timeline timeline_;
  size_t next_line_ = 0;
  int64_t wait_left_ms_ = 0;      // of the wait line being read
  std::deque<WindowEvent> queued_;  // the rest of the line being read
  int64_t now_ms_ = 0;
  bool timer_running_ = false;
  int64_t timer_start_ms_ = 0;
  int64_t timer_interval_ms_ = 0;
  std::vector<std::string> failed_screenshots_;
};

}  // namespace brindle
