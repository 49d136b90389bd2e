#include <string>

#include "expr/eval.h"

namespace brindle {
namespace {

constexpr int kTrue = -1;
constexpr int kFalse = 0;

bool IsComparison(int kind) {
  return kind == TK_EQUAL || kind == TK_BANG || kind == TK_LESS || kind == TK_GREATER;
}

// Strings are equal or not; they have no order.
int CompareStrings(const std::string& a, const std::string& b, int op) {
  if (op == TK_EQUAL) return a == b ? kTrue : kFalse;
  if (op == TK_BANG) return a != b ? kTrue : kFalse;
  return kFalse;
}

int CompareNumbers(float a, float b, int op) {
  switch (op) {
    case TK_EQUAL: return a == b ? kTrue : kFalse;
    case TK_BANG: return a != b ? kTrue : kFalse;
    case TK_GREATER: return a > b ? kTrue : kFalse;
    case TK_LESS: return a < b ? kTrue : kFalse;
    default: return kFalse;
  }
}

// The type of the name an operand begins with: its variable's, else its array's.
int OperandType(const Interpreter& in) {
  const int v = VarAtCursor(in);
  return v != 0 ? in.symbols.var_type[v] : ArrayTypeAtCursor(in);
}

// comparison := operand ("=" | "!" | "<" | ">") operand
// The left operand's first name decides between a text and a number comparison.
int EvalComparison(Interpreter& in) {
  float a = 0.0f, b = 0.0f;
  std::string sa;
  const int left_type = OperandType(in);
  const bool left_is_string = left_type == KW_STR;
  if (left_is_string) {
    sa = EvalStr(in);
  } else if (left_type == KW_VAR || left_type == KW_PTR) {
    a = EvalNum(in);
  }
  const int op = KindAtCursor(in);
  if (!IsComparison(op)) return kFalse;
  NextToken(in);

  const int right_type = CurKind(in) == TK_IDENT ? OperandType(in) : 0;
  if (right_type == KW_STR) {
    // A string right operand of a numeric comparison is not even read.
    if (left_is_string) return CompareStrings(sa, EvalStr(in), op);
    if (NextKind(in) == TK_LBRACKET) EvalStr(in);
  } else if (right_type == KW_VAR || right_type == KW_PTR) {
    b = EvalNum(in);
  }
  if (CurKind(in) == TK_NUMBER) {
    b = EvalNum(in);
  } else if (CurKind(in) == TK_STRING || CurKind(in) == TK_LPAREN) {
    if (left_is_string) return CompareStrings(sa, EvalStr(in), op);
    b = EvalNum(in);
  }
  return CompareNumbers(a, b, op);
}

}  // namespace

// condition := comparison [("&" | "|") condition]     (grouped from the right, no short cut)
int EvalCondition(Interpreter& in) {
  const int r = EvalComparison(in);
  const int join = KindAtCursor(in);
  if (join != TK_AMP && join != TK_BAR) return r;
  NextToken(in);
  const int rest = EvalCondition(in);
  return join == TK_AMP ? (r & rest) : (r | rest);
}

}  // namespace brindle
