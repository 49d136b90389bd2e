// The two ways statements read their arguments.
#pragma once

#include "expr/eval.h"

namespace brindle {

// An expression argument: passes the keyword or the separator before it, then evaluates.
inline int NextCoordinate(Interpreter& in) {
  return ToInteger(NextEvalNum(in));
}

// Where NextCoordinate reads its sum when the cursor stands on the token at `before` (the
// keyword, or the separator the previous sum ended on): a compiled loop finds the sums there.
constexpr int CoordinateSumAt(int before) {
  return before + 1;
}

// A plain argument is one token: a number literal or a VAR variable. Another kind of token
// leaves the value this statement read for that argument last time. Reads the current token.
float PlainArgument(Interpreter& in, int statement, int index);

// The next plain argument: the token after the keyword for the first one, and the second
// token after the previous argument (passing its separator) for the others.
inline float NextPlainArgument(Interpreter& in, int statement, int index, bool first) {
  if (!first) NextToken(in);
  NextToken(in);
  return PlainArgument(in, statement, index);
}

// A statement whose arguments are all plain.
template <int N>
void ReadPlainArguments(Interpreter& in, int statement, int (&out)[N]) {
  for (int i = 0; i < N; ++i) out[i] = ToInteger(NextPlainArgument(in, statement, i, i == 0));
}

}  // namespace brindle
