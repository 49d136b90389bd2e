// Checks asked for at every token, made cheap: the clock is read on every so many calls only,
// and the check is due at most once a millisecond.
#pragma once

#include <cstdint>

namespace brindle {

class PollThrottle {
 public:
  static constexpr int kCallsPerClockRead = 32;

  // True when the check should look now; now_ms() reads the clock, when it is read at all.
  template <typename Clock>
  bool Due(Clock now_ms) {
    if (--calls_left_ > 0) return false;
    calls_left_ = kCallsPerClockRead;
    const uint64_t now = now_ms();
    if (now < next_ms_) return false;
    next_ms_ = now + 1;
    return true;
  }

  // The next call looks (more may be waiting, or something slow has just happened).
  void LookAgain() {
    calls_left_ = 0;
    next_ms_ = 0;
  }

 private:
  int calls_left_ = 0;
  uint64_t next_ms_ = 0;
};

}  // namespace brindle
