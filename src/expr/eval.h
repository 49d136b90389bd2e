// The evaluators read expressions straight from the token table through the shared cursor.
// On entry the cursor stands on the expression's first token; on return, on the first token
// not consumed. Nothing here reports a malformed expression: an operand that matches no form
// counts as zero (or "") and is left where it is.
#pragma once

#include <string>

#include "expr/cursor.h"
#include "expr/expr_cache.h"
#include "expr/vm.h"
#include "lang/keywords.h"
#include "runtime/interpreter.h"

namespace brindle {

// --- The interpreter's cursor (see expr/cursor.h).

inline void NextToken(Interpreter& in) {
  NextToken(in.cursor);
}
inline const TokenInfo& CurInfo(const Interpreter& in) {
  return CurInfo(in.image.facts, in.cursor);
}
inline const TokenInfo& InfoAtCursor(const Interpreter& in) {
  return InfoAtCursor(in.image.facts, in.cursor);
}
inline int CurKind(const Interpreter& in) {
  return CurKind(in.image.facts, in.cursor);
}
inline const std::string& CurText(const Interpreter& in) {
  return in.image.tokens.text[in.cursor.cur];
}
inline char CurOp(const Interpreter& in) {
  return CurOp(in.image.facts, in.cursor);
}
inline float CurNumber(const Interpreter& in) {
  return CurInfo(in).number;
}
inline int NextKind(const Interpreter& in) {
  return NextKind(in.image.facts, in.cursor);
}
inline int VarAtCursor(const Interpreter& in) {
  return InfoAtCursor(in).var;
}
inline int VarTypeAtCursor(const Interpreter& in) {
  return InfoAtCursor(in).var_type;
}

// --- Numbers. (Each expression is compiled at its first evaluation: see program.h.)
// A number program compiled before, run where it is known: on the three-address machine when
// it has that form (one variable or one number: only the end, read at once), else on the
// stack machine (RunOnStack).
float RunOnStack(Interpreter& in, const Program& program);
inline float RunNumberProgram(Interpreter& in, const Program& program) {
  const DirectProgram* direct = program.direct.get();
  if (direct == nullptr) return RunOnStack(in, program);
  const float value = direct->code.size() == 1 ? *direct->result : RunThreeAddress(in, *direct);
  in.cursor = program.end;
  return value;
}

// The sum compiled at a position, if it has been read from there before (never on the slow
// paths).
inline const Program* KnownSumAt(const Interpreter& in, int position) {
  return ExprCacheOf(in).by_position[static_cast<int>(Rule::kSum)][position];
}

float EvaluateSum(Interpreter& in);
// Terms joined by "+" and "-", left to right; a sum read before from here runs at once.
inline float EvalNum(Interpreter& in) {
  const TokenCursor at = in.cursor;
  if (at.cur == at.exec_pos && !in.slow_paths) {
    if (const Program* sum = KnownSumAt(in, at.exec_pos)) return RunNumberProgram(in, *sum);
  }
  return EvaluateSum(in);
}
float EvalFactor(Interpreter& in);  // one operand
inline float NextEvalNum(Interpreter& in) {
  NextToken(in);
  return EvalNum(in);
}

// --- Strings.
std::string EvalStr(Interpreter& in);      // items joined by "+"
std::string EvalStrItem(Interpreter& in);  // one item
inline std::string NextEvalStr(Interpreter& in) {
  NextToken(in);
  return EvalStr(in);
}
// var = the text expression at the cursor.
void AssignText(Interpreter& in, int var);
// "name = sum" at the cursor, for a VAR or PTR variable.
void AssignNumber(Interpreter& in);
// The compiled assignment at a position, if it has run before (never on the slow paths); it
// runs by RunNumberProgram.
inline const Program* KnownAssignmentAt(const Interpreter& in, int position) {
  return ExprCacheOf(in).by_position[static_cast<int>(Rule::kAssignment)][position];
}
// Compiles the assignment that begins at a position, once it is known to be one, so that
// KnownAssignmentAt finds it (never on the slow paths).
void CompileAssignmentAt(Interpreter& in, int position);

// --- Conditions of IF: -1 true, 0 false.
int EvalCondition(Interpreter& in);
// The condition compiled at a position, if it has been read before (never on the slow paths):
// it is read the same way again, so it may be run at once by RunNumberProgram.
inline const Program* KnownConditionAt(const Interpreter& in, int position) {
  return ExprCacheOf(in).by_position[static_cast<int>(Rule::kCondition)][position];
}

}  // namespace brindle
