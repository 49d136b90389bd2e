#include "platform/tick_schedule.h"

#include <algorithm>

namespace brindle {

void TickSchedule::Start(uint64_t now_ms, uint32_t interval_ms) {
  running_ = true;
  interval_ms_ = std::max<uint64_t>(interval_ms, 1);
  due_ms_ = now_ms + interval_ms_;
}

uint64_t TickSchedule::FirstDueAfter(uint64_t now_ms) const {
  if (now_ms < due_ms_) return due_ms_;
  return due_ms_ + ((now_ms - due_ms_) / interval_ms_ + 1) * interval_ms_;
}

bool TickSchedule::Take(uint64_t now_ms) {
  if (!running_ || now_ms < due_ms_) return false;
  due_ms_ = FirstDueAfter(now_ms);
  return true;
}

}  // namespace brindle
