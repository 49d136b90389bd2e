// The statement executor: walks the token table from the token after the cursor and carries
// out each statement, until the last token or an ENDWM.
#pragma once

namespace brindle {

struct Interpreter;

// Runs from the token after the cursor's position.
void ExecuteTokens(Interpreter& in);

}  // namespace brindle
