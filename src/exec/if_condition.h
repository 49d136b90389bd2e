// Which conditions IF reads: the rule shared by the IF statement and the loops compiled whole.
#pragma once

#include "lang/keywords.h"
#include "runtime/interpreter.h"

namespace brindle {

// Whether IF reads a condition that starts at a position: one whose first operand is a VAR,
// PTR or STR variable or an element. Any other leaves the last outcome as it was.
inline bool IfReadsConditionAt(const Interpreter& in, int position) {
  const TokenInfo& operand = in.image.facts.info[position];
  const int type = operand.var_type;
  return type == KW_VAR || type == KW_PTR || type == KW_STR ||
         (operand.var == 0 && in.image.facts.info[position + 1].kind == TK_LBRACKET);
}

}  // namespace brindle
