// The statement executor: walks the token table from the token after the cursor and carries
// out each statement, until the last token or an ENDWM.
#pragma once

#include "exec/statements.h"

namespace brindle {

struct Interpreter;

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
bool PumpIsDry(const Interpreter& in);

// The last token of the run of tokens that begin no statement starting at p (p itself begins
// none), stopping at the script's last token.
int QuietRunEndFrom(Interpreter& in, int p);

}  // namespace brindle
