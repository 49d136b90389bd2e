// The platform of the browser page: the canvas and boxes of the page stand for the window, its
// key, mouse and focus events for the window system's. It runs beside the page, not in it (in
// a worker), so it may wait as the desktop platform does.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>
#include <vector>

#include "canvas/canvas.h"
#include "platform/input_boxes.h"
#include "platform/platform.h"
#include "platform/poll_throttle.h"
#include "platform/present_schedule.h"
#include "platform/tick_schedule.h"
#include "platform/web/page.h"
#include "platform/window_picture.h"

namespace brindle {

class WebPlatform final : public Platform {
 public:
  explicit WebPlatform(Page& page);

  void SetEventSink(EventSink* sink) override;
  // Returns when the user answers the box on the page; the window's events keep reaching the
  // sink until then.
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void NoteText(int, int, std::string_view) override {}
  std::optional<WindowEvent> PollEvent() override;
  // The page is closed by ending the worker that runs the script: no close ever arrives.
  bool PollClose() override { return false; }
  // Never a close either; but a loop that takes no events never pumps, so its last SWAP is
  // shown from here.
  bool CloseRequested() override;
  WindowEvent WaitEvent() override;
  void ShowCanvas(const Canvas& canvas) override;
  void ShowClearedCanvas(const Canvas& canvas) override;
  InputBoxes& input_boxes() override { return boxes_; }
  void StartTimer(uint32_t interval_ms) override;
  void StopTimer() override { timer_.Stop(); }
  uint32_t TickCount() override { return static_cast<uint32_t>(NowMs()); }
  uint32_t MillisecondClock() override { return TickCount(); }

 private:
  uint64_t NowMs() const { return static_cast<uint64_t>(page_.NowMs()); }
  // The window event an input makes, if any; dialog: the message loop's dialog handling.
  std::optional<WindowEvent> Translate(const PageInput& input, bool dialog);
  std::optional<WindowEvent> TranslateKeyDown(const PageInput& input, bool dialog);
  // The next input that makes a window event, taken; none when the page has none waiting.
  std::optional<WindowEvent> NextEvent(bool dialog);
  bool TakeTick(uint64_t now_ms);
  bool TimerWakes() const;
  bool CaretBlinks() const;
  void UpdateCaret(uint64_t now_ms);
  using Moment = PresentSchedule::Moment;
  // Shows the picture when it has changed: at once when the script is about to wait, else at
  // most once a frame; a held cleared picture only when the schedule says.
  void Present(uint64_t now_ms, Moment moment);
  // How long a wait may last before the timer or the caret needs attention; -1: no limit.
  int WaitLimitMs(uint64_t now_ms, bool timer) const;
  // Whether the page shows all there is to show.
  bool Settled() const;
  void DeliverDuringBox(const WindowEvent& event);

  Page& page_;
  EventSink* sink_ = nullptr;
  InputBoxes boxes_;
  TickSchedule timer_;
  std::deque<PageInput> inputs_;
  PollThrottle polls_;

  WindowPicture picture_;
  std::vector<uint32_t> rgba_;
  PresentSchedule presents_;
  bool canvas_focused_ = false;

  int boxes_open_ = 0;
  int last_box_number_ = 0;
  std::vector<int> answered_;  // box numbers answered but not yet seen by their ShowMessage
  bool waited_ = false;
};

}  // namespace brindle
