#include "expr/compiler.h"
#include "lang/keywords.h"

namespace brindle {
namespace {

bool IsComparison(int kind) {
  return kind == TK_EQUAL || kind == TK_BANG || kind == TK_LESS || kind == TK_GREATER;
}

}  // namespace

// The type of the name an operand begins with: its variable's, else its array's.
int ExprCompiler::OperandType() const {
  const TokenInfo& bound = AtCursor();
  return bound.var != 0 ? bound.var_type : bound.array_type;
}

// condition := comparison [("&" | "|") condition]     (grouped from the right, no short cut)
void ExprCompiler::Condition() {
  Comparison();
  const int join = AtCursor().kind;
  if (join != TK_AMP && join != TK_BAR) return;
  Next();
  Condition();
  Emit(join == TK_AMP ? Op::kAnd : Op::kOr);
}

// comparison := operand ("=" | "!" | "<" | ">") operand
// The left operand's first name decides between a text and a number comparison. Operands
// that are not compared still run (they may draw random numbers) and are then discarded.
void ExprCompiler::Comparison() {
  const int left_type = OperandType();
  const bool left_is_text = left_type == KW_STR;
  const bool left_is_number = left_type == KW_VAR || left_type == KW_PTR;
  if (left_is_text) Text();
  if (left_is_number) Sum();
  const int op = AtCursor().kind;
  if (!IsComparison(op)) {
    if (left_is_text) Emit(Op::kDropText);
    if (left_is_number) Emit(Op::kDropNumber);
    Emit(Op::kNumber, 0, 0, 0, 0.0f);
    return;
  }
  Next();

  int right_numbers = 0;  // right operands read as numbers, each replacing the one before
  auto number_operand = [&] {
    if (right_numbers > 0) Emit(Op::kDropNumber);
    Sum();
    right_numbers = 1;
  };
  const int right_type = CurKind() == TK_IDENT ? OperandType() : 0;
  if (right_type == KW_STR) {
    if (left_is_text) {
      Text();
      Emit(Op::kCompareTexts, op, right_numbers);
      return;
    }
    // A string right operand of a number comparison is read only when it is an element.
    if (NextKind() == TK_LBRACKET) {
      Text();
      Emit(Op::kDropText);
    }
  } else if (right_type == KW_VAR || right_type == KW_PTR) {
    number_operand();
  }
  if (CurKind() == TK_NUMBER) {
    number_operand();
  } else if (CurKind() == TK_STRING || CurKind() == TK_LPAREN) {
    if (left_is_text) {
      Text();
      Emit(Op::kCompareTexts, op, right_numbers);
      return;
    }
    number_operand();
  }
  // A text left operand counts as 0 here.
  const int present = (left_is_number ? 1 : 0) | (right_numbers ? 2 : 0);
  Emit(Op::kCompareNumbers, op, present, left_is_text ? 1 : 0);
}

}  // namespace brindle
