// The statement executor: walks the token table from the token after the cursor and carries
// out each statement, until the last token or an ENDWM.
#pragma once

namespace brindle {

struct Interpreter;

// Runs from the token after the cursor's position.
void ExecuteTokens(Interpreter& in);

enum class Flow;

// For a statement that sends the statement loop on from the token after `before` (a call into
// a function, a return): the flow to give, with the cursor set. When the tokens there begin no
// statement and no event can come, the cursor is moved past them at once, as the loop would.
Flow GoOnAfter(Interpreter& in, int before);

}  // namespace brindle
