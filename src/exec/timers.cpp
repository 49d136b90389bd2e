// The script's timer and the tick count.
#include <cstdint>

#include "exec/statements.h"
#include "expr/eval.h"

namespace brindle {
namespace {

// The window system raises intervals below 10 ms to 10, and reads a negative one as unsigned,
// which is past its maximum.
uint32_t EffectiveInterval(int32_t interval_ms) {
  constexpr uint32_t kMinimum = 10, kMaximum = 2147483647;
  if (interval_ms < 0) return kMaximum;
  return interval_ms < static_cast<int32_t>(kMinimum) ? kMinimum
                                                      : static_cast<uint32_t>(interval_ms);
}

}  // namespace

Flow GetTickStatement(Interpreter& in) {
  NextToken(in);
  if (VarTypeAtCursor(in) == KW_VAR) {
    const auto ticks = static_cast<int32_t>(in.platform.TickCount());
    in.values.var_num[VarAtCursor(in)] = static_cast<float>(ticks);
  }
  return Flow::kTestEnd;
}

// A second TIMERON replaces the running timer. A non-VAR argument keeps the last interval.
Flow TimerOnStatement(Interpreter& in) {
  NextToken(in);
  if (VarTypeAtCursor(in) == KW_VAR) {
    in.process.timer_interval = ToInteger(in.values.var_num[VarAtCursor(in)]);
  }
  in.platform.StartTimer(EffectiveInterval(in.process.timer_interval));
  in.process.timer_running = true;
  return Flow::kTestEnd;
}

Flow TimerOffStatement(Interpreter& in) {
  in.platform.StopTimer();
  in.process.timer_running = false;
  return Flow::kTestEnd;
}

}  // namespace brindle
