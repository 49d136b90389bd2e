// The head of a WHILE loop, read once. Its form is fixed (a VAR variable, an operator, and a
// VAR variable or a number, optionally joined to a second comparison by "&" or "|"), and what
// it reads depends only on the tokens, so each WHILE is read at its first run and kept.
#pragma once

#include <algorithm>

#include "exec/region.h"
#include "exec/statements.h"
#include "expr/compare.h"
#include "expr/program.h"
#include "frontend/token_table.h"
#include "runtime/interpreter.h"
#include "runtime/op_counts.h"

namespace brindle {

struct LoopComparison {
  int left_var = 0;   // a VAR variable, or 0: the run ends with a message naming bad_operand
  int op = 0;         // the operator token's kind
  int right_var = 0;  // a VAR variable, or 0 for a number
  float right_number = 0.0f;
  int bad_operand = 0;  // position of the first operand that is neither, 0 when both are good
};

struct LoopHead {
  int mark = 0;  // what the loop stack records for this WHILE
  LoopComparison first, second;
  int join = 0;   // TK_AMP, TK_BAR, or 0 for one comparison
  int body = 0;   // the cursor's position after the condition
  int after = 0;  // the cursor's position after the loop's WEND, where a false condition goes
  // The loop compiled whole (exec/region.h) once it has gone round.
  RegionSlots regions;
};

[[noreturn, gnu::cold, gnu::noinline]] void AbandonForWrongType(Interpreter& in, int operand);

#ifdef BRINDLE_OP_COUNTS
inline void CountComparison(const Interpreter& in, const LoopComparison& c) {
  const HeadOp op = c.op == TK_EQUAL     ? HeadOp::kEqual
                    : c.op == TK_BANG    ? HeadOp::kNotEqual
                    : c.op == TK_GREATER ? HeadOp::kGreater
                    : c.op == TK_LESS    ? HeadOp::kLess
                                         : HeadOp::kOtherOperator;
  BRINDLE_COUNT_OP(kWhileHead, in.slow_paths, op);
  BRINDLE_COUNT_OP(kWhileHead, in.slow_paths,
                   c.right_var != 0 ? HeadOp::kRightVariable : HeadOp::kRightNumber);
}
#endif

// One comparison of a WHILE head; a bad operand ends the run. A caller that has checked the
// head's operands leaves the check out.
template <bool kOperandsChecked = false>
inline bool Compare(Interpreter& in, const LoopComparison& c) {
  if (!kOperandsChecked && c.bad_operand != 0) AbandonForWrongType(in, c.bad_operand);
#ifdef BRINDLE_OP_COUNTS
  CountComparison(in, c);
#endif
  const float a = in.values.var_num[c.left_var];
  const float b = c.right_var != 0 ? in.values.var_num[c.right_var] : c.right_number;
  return NumbersCompare(a, b, c.op);
}

// Whether the loop goes on. Both comparisons are made, whatever the first gives.
template <bool kOperandsChecked = false>
inline bool Holds(Interpreter& in, const LoopHead& head) {
  BRINDLE_COUNT_OP(kWhileHead, in.slow_paths,
                   head.join == 0        ? HeadOp::kOne
                   : head.join == TK_AMP ? HeadOp::kAllOf
                                         : HeadOp::kAnyOf);
  const bool first = Compare<kOperandsChecked>(in, head.first);
  if (head.join == 0) return first;
  const bool second = Compare<kOperandsChecked>(in, head.second);
  return head.join == TK_AMP ? first && second : first || second;
}

// Whether both comparisons have good operands: the loop never fails.
inline bool OperandsGood(const LoopHead& head) {
  return head.first.bad_operand == 0 && (head.join == 0 || head.second.bad_operand == 0);
}

// The loop stack keeps the innermost loops: a script that leaves loops with GOTO again and
// again drops the oldest instead of overflowing.
inline void PushLoop(RunState& run, int while_position) {
  if (run.while_depth == kStackDepth) {
    std::copy(run.while_stack.begin() + 2, run.while_stack.end(), run.while_stack.begin() + 1);
    --run.while_depth;
  }
  run.while_stack[++run.while_depth] = while_position;
}
// WEND goes back to the WHILE whose mark is on top; with no loop open it does nothing.
inline bool LoopOpen(const RunState& run) {
  return run.while_depth != 0;
}
inline int LoopOnTop(const RunState& run) {
  return run.while_stack[run.while_depth];
}
inline void DropLoop(RunState& run) {
  --run.while_depth;
}

// WHILE: the loop's mark goes on the loop stack, and comes off again when the loop does not go
// on. Whether it goes on.
template <bool kOperandsChecked = false>
inline bool EnterLoop(Interpreter& in, const LoopHead& head) {
  const bool holds = Holds<kOperandsChecked>(in, head);
  RunState& run = *in.run;
  PushLoop(run, head.mark);
  if (!holds) DropLoop(run);
  return holds;
}

// Where a loop goes round again (WEND, GOTO), a closed window ends the program, even in a
// loop that takes no events. Loops turn millions of times a second: the platform is asked on
// every so many turns only, away from the path the other turns take.
inline bool CloseCheckDue(Interpreter& in) {
  return --in.loop_turns_to_close_check <= 0;
}
void EndIfCloseRequested(Interpreter& in);

// Reads the head of the WHILE at the cursor, and keeps it in the interpreter's block cache.
LoopHead& ReadLoopHeadAtCursor(Interpreter& in);
// Reads it without keeping it.
LoopHead ReadLoopHead(Interpreter& in);

}  // namespace brindle
