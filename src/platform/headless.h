// The platform with no window: boxes and PRINTs go to the transcript, time is virtual, and the
// window's picture is kept in memory for screenshots.
#pragma once

#include <cstdio>
#include <vector>

#include "platform/canvas.h"
#include "platform/platform.h"
#include "platform/transcript.h"

namespace brindle {

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(std::FILE* transcript);

  void SetEventSink(EventSink* sink) override { sink_ = sink; }
  // Written and answered OK at once: no event is taken while it is "open".
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void NoteText(int x, int y, std::string_view text) override;
  std::optional<WindowEvent> PollEvent() override;
  WindowEvent WaitEvent() override;
  void ShowCanvas(const Canvas& canvas) override;
  void StartTimer(uint32_t interval_ms) override;
  void StopTimer() override;
  uint32_t TickCount() override { return now_ms_; }
  uint32_t MillisecondClock() override { return now_ms_; }

  // What the window shows now: ColorRef pixels, Canvas::kWidth x Canvas::kHeight.
  const std::vector<ColorRef>& shown();
  void Flush() { transcript_.Flush(); }

 private:
  Transcript transcript_;
  EventSink* sink_ = nullptr;
  std::vector<ColorRef> shown_;  // empty until the canvas is first shown
  uint32_t now_ms_ = 0;
  bool timer_running_ = false;
  uint32_t timer_interval_ms_ = 0;
};

}  // namespace brindle
