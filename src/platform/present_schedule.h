// When a window shows its picture again: once the picture has changed (a SWAP, a repaint, a
// change of focus) or the input boxes show something new, at most once a frame unless the
// caller forces it (the program is about to wait), and when the focused box's caret blinks.
// The desktop window and the browser page keep the same schedule, each at its own frame rate.
#pragma once

#include <cstdint>

#include "platform/input_boxes.h"

namespace brindle {

class PresentSchedule {
 public:
  explicit PresentSchedule(uint64_t frame_interval_ms) : frame_interval_ms_(frame_interval_ms) {}

  // The picture changed in a way the boxes' version does not tell.
  void MarkStale() { stale_ = true; }
  // A new run: nothing shown yet, the caret on, the boxes as they are now.
  void StartAfresh(const InputBoxes& boxes);

  // The caret shows at once wherever the boxes moved it; else, while it blinks, it turns on or
  // off each blink time.
  void UpdateCaret(const InputBoxes& boxes, bool blinks, uint64_t now_ms);
  bool caret_on() const { return caret_on_; }
  uint64_t caret_toggle_ms() const { return caret_toggle_ms_; }

  // Something is left to show.
  bool Pending(const InputBoxes& boxes) const {
    return stale_ || boxes.version() != presented_boxes_version_;
  }
  // Something is left to show, and it may be shown now.
  bool Due(const InputBoxes& boxes, uint64_t now_ms, bool force) const {
    return Pending(boxes) && (force || now_ms >= last_present_ms_ + frame_interval_ms_);
  }
  // The picture was shown at now_ms.
  void Presented(const InputBoxes& boxes, uint64_t now_ms);

 private:
  uint64_t frame_interval_ms_;
  bool stale_ = true;
  uint64_t presented_boxes_version_ = 0;
  uint64_t last_present_ms_ = 0;
  bool caret_on_ = true;
  uint64_t caret_version_ = 0;
  uint64_t caret_toggle_ms_ = 0;
};

}  // namespace brindle
