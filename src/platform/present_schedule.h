// When a window shows its picture again: once the picture has changed (a SWAP, a repaint, a
// change of focus) or the input boxes show something new, at most once a frame unless the
// caller forces it (the program is about to wait), and when the focused box's caret blinks.
//
// A cleared picture (WCOLOR's) is held back while the script may still draw over it and show
// the result: a script that clears, draws and then shows its frame must never flash the bare
// background. The window goes on showing the last finished picture until the held one is
// replaced by a finished picture, until the run ends or the program waits (nothing will replace
// it then), or until the script has worked on without showing a finished picture for longer
// than its patience. Before the script has finished a picture its clearings are its pictures,
// and the patience is a frame. After, it is kPatienceFactor times the drawing time (from the
// first clearing to the finished picture) of its slowest recent frame, kMinPatienceMs at least
// and kMaxPatienceMs at most: a clearing that the script leaves in place while it works on
// shows a little later, which nobody notices, and one frame drawn slowly (the machine is busy,
// or a handler ran nested inside the frame's drawing) does not flash the background.
//
// Work is measured on a clock the caller chooses: the processor time the program itself has
// had, where it can be had, so that other programs on a busy machine do not make a script look
// slow.
//
// The desktop window and the browser page keep the same schedule, each at its own frame rate.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/input_boxes.h"

namespace brindle {

class PresentSchedule {
 public:
  static constexpr uint64_t kPatienceFactor = 4;
  static constexpr uint64_t kMinPatienceMs = 100;
  static constexpr uint64_t kMaxPatienceMs = 1000;

  // Where the program is when the window is brought up to date.
  enum class Moment {
    kRunning,   // inside a run, which may go on to replace the picture
    kRunEnded,  // between runs: the run that showed the picture has ended
    kWaiting,   // about to wait: nothing will change the picture first
  };

  explicit PresentSchedule(uint64_t frame_interval_ms) : frame_interval_ms_(frame_interval_ms) {}

  // The picture changed in a way the boxes' version does not tell (focus, size, exposure).
  void MarkStale() { stale_ = true; }
  // A new run: nothing shown yet, nothing held, the caret on, the boxes as they are now.
  void StartAfresh(const InputBoxes& boxes);

  // The script showed a finished picture (SWAP, a repaint): it is to be shown, and any held
  // picture is dropped, drawn over.
  void Finished(uint64_t work_ms);
  // The script showed a cleared picture (WCOLOR): held back (see above).
  void Cleared(uint64_t work_ms);
  bool holding() const { return held_since_.has_value(); }
  // Whether the held picture is to be shown now. When true, the caller shows it from now on and
  // it counts as the picture left to show.
  bool ReleaseHeld(uint64_t work_ms, Moment moment);
  uint64_t patience_ms() const;

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

  std::optional<uint64_t> held_since_;     // the held picture's first clearing
  std::optional<uint64_t> cleared_since_;  // the first clearing since the last finished picture
  std::optional<uint64_t> drawing_ms_;     // from clearing to finished, of the recent frames
};

}  // namespace brindle
