// The head of a WHILE loop, read once. Its form is fixed (a VAR variable, an operator, and a
// VAR variable or a number, optionally joined to a second comparison by "&" or "|"), and what
// it reads depends only on the tokens, so each WHILE is read at its first run and kept.
#pragma once

#include "frontend/token_table.h"

namespace brindle {

struct Interpreter;
struct Program;

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
  // Learnt at the first turn that finds it compiled: the assignment program that begins the
  // body, and the position of the WEND right after it when it is the whole body (else 0).
  const Program* body_assignment = nullptr;
  int wend_after_assignment = 0;
  bool body_starts_otherwise = false;  // with a token that begins no assignment
};

// Reads the head of the WHILE at the cursor, and keeps it in the interpreter's block cache.
LoopHead& ReadLoopHeadAtCursor(Interpreter& in);
// Reads it without keeping it.
LoopHead ReadLoopHead(Interpreter& in);

}  // namespace brindle
