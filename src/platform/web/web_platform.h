// The platform of the browser page: the canvas and boxes of the page stand for the window, its
// key, mouse and focus events for the window system's. It runs beside the page, not in it (in
// a worker), so it may wait as the desktop platform does.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/web/page.h"
#include "platform/windowed_platform.h"

namespace brindle {

// The page is closed by ending the worker that runs the script: no close ever arrives.
class WebPlatform final : public WindowedPlatform {
 public:
  explicit WebPlatform(Page& page);

  WindowEvent WaitEvent() override;

 private:
  uint64_t NowMs() const override { return static_cast<uint64_t>(page_.NowMs()); }
  bool PollNative(bool dialog, std::optional<WindowEvent>& made) override;
  void WaitNative(int timeout_ms, bool settled) override;
  void Present() override;
  bool ReadyToPresent() override { return page_.ReadyForPicture(); }
  bool OpenMessageBox(std::string_view caption, std::string_view text) override;
  bool MessageBoxAnswered() override;
  void CloseMessageBox(bool answered) override;

  // The window event an input makes, if any; dialog: the message loop's dialog handling.
  std::optional<WindowEvent> Translate(const PageInput& input, bool dialog);
  std::optional<WindowEvent> TranslateKeyDown(const PageInput& input, bool dialog);

  Page& page_;
  std::deque<PageInput> inputs_;
  std::vector<uint32_t> rgba_;

  std::vector<int> open_boxes_;  // their numbers, innermost last
  int last_box_number_ = 0;
  std::vector<int> answered_;  // box numbers answered but not yet seen by their ShowMessage
  bool waited_ = false;
};

}  // namespace brindle
