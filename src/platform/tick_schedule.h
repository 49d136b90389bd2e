// The window's one timer as a schedule: ticks fall due every interval after the start, and do
// not queue up. A tick that falls due while one is pending is dropped, as Windows drops it.
#pragma once

#include <cstdint>

namespace brindle {

class TickSchedule {
 public:
  // The first tick falls due one interval from now; an interval of 0 counts as 1.
  void Start(uint64_t now_ms, uint32_t interval_ms);
  void Stop() { running_ = false; }
  bool running() const { return running_; }
  // When the next tick falls due; meaningful only while running.
  uint64_t due_ms() const { return due_ms_; }
  // When the first tick after now falls due: due_ms(), or when that has passed untaken, the
  // first point of the interval's grid after now. Meaningful only while running.
  uint64_t FirstDueAfter(uint64_t now_ms) const;

  // Takes the pending tick, if one has fallen due by now; the next one then falls due at the
  // first point of the interval's grid after now.
  bool Take(uint64_t now_ms);

 private:
  bool running_ = false;
  uint64_t due_ms_ = 0;
  uint64_t interval_ms_ = 1;
};

}  // namespace brindle
