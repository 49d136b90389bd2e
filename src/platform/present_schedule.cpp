#include "platform/present_schedule.h"

namespace brindle {
namespace {

// Windows' caret blink time.
constexpr uint64_t kCaretBlinkMs = 530;

}  // namespace

void PresentSchedule::StartAfresh(const InputBoxes& boxes) {
  stale_ = true;
  caret_on_ = true;
  caret_version_ = presented_boxes_version_ = boxes.version();
}

void PresentSchedule::UpdateCaret(const InputBoxes& boxes, bool blinks, uint64_t now_ms) {
  if (boxes.version() != caret_version_) {
    caret_version_ = boxes.version();
    caret_on_ = true;
    caret_toggle_ms_ = now_ms + kCaretBlinkMs;
  } else if (blinks && now_ms >= caret_toggle_ms_) {
    caret_on_ = !caret_on_;
    caret_toggle_ms_ = now_ms + kCaretBlinkMs;
    stale_ = true;
  }
}

void PresentSchedule::Presented(const InputBoxes& boxes, uint64_t now_ms) {
  stale_ = false;
  presented_boxes_version_ = boxes.version();
  last_present_ms_ = now_ms;
}

}  // namespace brindle
