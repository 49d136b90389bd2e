#include "platform/web/web_platform.h"

#include <algorithm>

namespace brindle {
namespace {

// While a busy script runs, a picture is sent to the page at most this often (a frame of a
// 60 Hz display), and whenever the script waits.
constexpr uint64_t kFrameIntervalMs = 16;

}  // namespace

WebPlatform::WebPlatform(Page& page)
    : WindowedPlatform(kFrameIntervalMs),
      page_(page),
      rgba_(static_cast<size_t>(Canvas::kWidth) * Canvas::kHeight) {
  // The page shows the button face until the first SWAP, and the window is painted once
  // when it first appears.
  inputs_.push_back({PageInput::Kind::kPaint});
}

WindowEvent WebPlatform::WaitEvent() {
  if (!waited_) {
    waited_ = true;
    page_.Waiting();
  }
  return WindowedPlatform::WaitEvent();
}

bool WebPlatform::PollNative(bool dialog, std::optional<WindowEvent>& made) {
  if (inputs_.empty()) page_.TakeInputs(inputs_, 0, false);
  if (inputs_.empty()) return false;
  const PageInput input = inputs_.front();
  inputs_.pop_front();
  // An answer ends its box's wait; what follows is for whatever runs after it.
  if (input.kind == PageInput::Kind::kAnswer) answered_.push_back(input.a);
  made = Translate(input, dialog);
  return true;
}

void WebPlatform::WaitNative(int timeout_ms, bool settled) {
  if (inputs_.empty()) page_.TakeInputs(inputs_, timeout_ms, settled);
}

void WebPlatform::Present() {
  const std::vector<ColorRef>& picture = Composed();
  // A ColorRef is 0x00BBGGRR: in memory R, G, B, then the byte that becomes alpha.
  std::transform(picture.begin(), picture.end(), rgba_.begin(),
                 [](ColorRef c) { return (c & 0xFFFFFFu) | 0xFF000000u; });
  page_.ShowPicture(rgba_);
}

bool WebPlatform::OpenMessageBox(std::string_view caption, std::string_view text) {
  open_boxes_.push_back(++last_box_number_);
  page_.OpenMessage(last_box_number_, caption, text);
  return true;
}

bool WebPlatform::MessageBoxAnswered() {
  return std::find(answered_.begin(), answered_.end(), open_boxes_.back()) != answered_.end();
}

void WebPlatform::CloseMessageBox(bool) {
  if (auto at = std::find(answered_.begin(), answered_.end(), open_boxes_.back());
      at != answered_.end()) {
    answered_.erase(at);
  }
  open_boxes_.pop_back();
}

}  // namespace brindle
