// Where GOTO, a call and ENDFN send the statement loop, and the return stack they keep: the
// statements and the compiled loops both go by these, so that a loop compiled whole jumps
// where the statements would.
#pragma once

#include "runtime/interpreter.h"

namespace brindle {

// The label that the GOTO at `position` goes to.
inline int GotoTarget(const Interpreter& in, int position) {
  return in.image.symbols.goto_target[position + 1];
}

// The token after which the call at `call` goes on: the ")" of its definition's "name ( )";
// 0 when no function of that name is defined.
inline int CalledBodyAfter(const Interpreter& in, int call) {
  const int entry = in.image.symbols.func_of_token[call];
  return entry == 0 ? 0 : entry + 2;
}

// A call's return: false when the stack is full, and the call fails.
inline bool PushReturn(RunState& run, int call) {
  if (run.call_depth == kStackDepth) return false;
  run.return_stack[++run.call_depth] = call;
  return true;
}

// ENDFN goes back to the call on top of the return stack, and does nothing with no call open.
inline bool CallOpen(const RunState& run) {
  return run.call_depth != 0;
}
inline int PopReturn(RunState& run) {
  return run.return_stack[run.call_depth--];
}

}  // namespace brindle
