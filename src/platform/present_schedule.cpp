#include "platform/present_schedule.h"

#include <algorithm>

namespace brindle {
namespace {

// Windows' caret blink time.
constexpr uint64_t kCaretBlinkMs = 530;

}  // namespace

void PresentSchedule::StartAfresh(const InputBoxes& boxes) {
  stale_ = true;
  caret_on_ = true;
  caret_version_ = presented_boxes_version_ = boxes.version();
  held_since_.reset();
  cleared_since_.reset();
  drawing_ms_.reset();
}

// The drawing time follows the slowest recent frame: it rises with a slower frame at once, and
// falls back by an eighth (rounded up) with each quicker one.
void PresentSchedule::Finished(uint64_t work_ms) {
  stale_ = true;
  held_since_.reset();
  if (cleared_since_) {
    const uint64_t drawing = work_ms - *cleared_since_;
    const uint64_t before = drawing_ms_.value_or(0);
    drawing_ms_ = std::max(drawing, before - (before + 7) / 8);
  }
  cleared_since_.reset();
}

void PresentSchedule::Cleared(uint64_t work_ms) {
  // A cleared picture over a held one: the patience runs from the first, or a script that
  // clears again and again would never be shown.
  if (!held_since_) held_since_ = work_ms;
  if (!cleared_since_) cleared_since_ = work_ms;
}

uint64_t PresentSchedule::patience_ms() const {
  if (!drawing_ms_) return frame_interval_ms_;
  return std::clamp(kPatienceFactor * *drawing_ms_, kMinPatienceMs, kMaxPatienceMs);
}

bool PresentSchedule::ReleaseHeld(uint64_t work_ms, Moment moment) {
  if (!held_since_) return false;
  if (moment == Moment::kRunning && work_ms < *held_since_ + patience_ms()) return false;
  held_since_.reset();
  stale_ = true;
  // A picture left as the run's last is the script's own, not a frame being drawn: how long
  // drawing takes is learnt from frames only.
  if (moment != Moment::kRunning) cleared_since_.reset();
  return true;
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
