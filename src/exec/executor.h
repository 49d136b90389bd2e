// The statement executor: walks the token table from the token after the cursor and carries
// out each statement, until the last token or an ENDWM.
#pragma once

namespace brindle {

struct Interpreter;

// Thrown by RunAbandon: a fatal fault ends every active run, and the program goes on at the
// message loop.
struct RunAbandoned {};

// Runs from the token after the cursor's position.
void ExecuteTokens(Interpreter& in);

// Ends every active run after a fatal fault; does not return.
[[noreturn]] void RunAbandon();

// Prepares what the executor derives from the tables, after the pre-pass (or, for a handler
// that a pre-pass fault box lets run, at that box).
void PrepareRun(Interpreter& in);

}  // namespace brindle
