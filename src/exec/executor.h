// The statement executor: walks the token table from the token after the cursor and carries
// out each statement, until the last token or an ENDWM.
#pragma once

#include "exec/statements.h"
#include "runtime/interpreter.h"

namespace brindle {

// Handler runs started by the pump nest inside the run that pumped. A handler that pumps
// while its events keep coming (a fast timer) would nest without end; from this depth on the
// pump leaves events where they are, so the runs finish and later takes deliver them. Only
// the window's close still gets through, so that a run that never finishes can be ended.
constexpr int kMaxNestedRuns = 64;

// Runs from the token after the cursor's position.
void ExecuteTokens(Interpreter& in);

// For a statement that sends the statement loop on from the token after `before` (a call into
// a function, a return): the flow to give, with the cursor set. When the tokens there begin no
// statement and no event can come, the cursor is moved past them at once, as the loop would.
Flow GoOnAfter(Interpreter& in, int before);

// The statement that a token of this kind begins, or null for a token that begins none (the
// statement loop's pump runs there instead).
Statement StatementOfKind(int kind);

// Whether no event can reach the pump now: the statement loop then passes each run of tokens
// that begin no statement at once.
inline bool PumpIsDry(const Interpreter& in) {
  return !in.platform.PumpMayDeliver() && !in.slow_paths && in.active_runs < kMaxNestedRuns;
}

// The statement loop's pump, at a token that begins no statement (the cursor's).
void PumpOneEvent(Interpreter& in);

// The last token of the run of tokens that begin no statement starting at p (p itself begins
// none), stopping at the script's last token.
int QuietRunEndFrom(Interpreter& in, int p);

}  // namespace brindle
