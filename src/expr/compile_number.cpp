#include "expr/compiler.h"
#include "lang/keywords.h"

namespace brindle {

// True when the token at the cursor begins "name = ..." for a VAR or PTR variable.
bool ExprCompiler::AtNumberAssignment() const {
  const TokenInfo& target = AtCursor();
  return target.kind == TK_IDENT && NextKind() == TK_EQUAL &&
         (target.var_type == KW_VAR || target.var_type == KW_PTR);
}

// assignment := name "=" sum, for a VAR or PTR variable, or an element assignment
// The statement loop goes from one assignment straight to the next (no event is taken
// between them: the token after an expression is passed over), so assignments that follow
// each other are read into one program. The caller has found an assignment at the cursor.
void ExprCompiler::Assignment(int most) {
  NumberAssignment();
  for (int count = 1; count < most; ++count) {
    const TokenCursor end = c_;
    Next();
    if (!NumberAssignment()) {
      c_ = end;
      return;
    }
  }
}

// One assignment to a VAR or PTR variable or element; false, having read nothing, at
// anything else.
bool ExprCompiler::NumberAssignment() {
  if (!AtNumberAssignment()) return ElementAssignment();
  const TokenInfo& target = AtCursor();
  const Op store = target.var_type == KW_VAR ? Op::kStoreVar : Op::kStorePtr;
  const int var = target.var;
  Next();
  Next();
  Sum();
  Emit(store, var);
  return true;
}

// element assignment := name "[" (number | sum) <any> "=" sum, for a VAR or PTR array
// Read as the statement reads it: the cursor moves straight onto the index, so a sum there is
// read with the name still current; and "=" must follow the token after the index.
bool ExprCompiler::ElementAssignment() {
  const TokenInfo& target = AtCursor();
  if (target.kind != TK_IDENT || NextKind() != TK_LBRACKET) return false;
  if (target.array_type != KW_VAR && target.array_type != KW_PTR) return false;
  const Op store = target.array_type == KW_VAR ? Op::kStoreNumElement : Op::kStorePtrElement;
  const int array = target.array;
  const TokenCursor start = c_;
  const size_t emitted = out_.code.size();
  c_.exec_pos += 2;
  const TokenInfo& index = AtCursor();
  if (index.kind == TK_NUMBER) {
    Emit(Op::kNumber, 0, 0, 0, index.number);
    c_.exec_pos += 1;
  } else if (index.kind == TK_IDENT) {
    Sum();
  }
  const bool has_index = index.kind == TK_NUMBER || index.kind == TK_IDENT;
  if (!has_index || NextKind() != TK_EQUAL) {
    out_.code.resize(emitted);
    c_ = start;
    return false;
  }
  c_.exec_pos += 1;
  Next();
  Sum();
  Emit(store, array);
  return true;
}

// sum := ["-"] term { ("+" | "-") term }
// A "-" where an operand is expected matches no factor, so it is read as a subtraction from
// zero: this gives unary minus at the start of a sum, and -0 for "-0".
void ExprCompiler::Sum() {
  if (CurOp() == '-') {
    Term();
    Emit(Op::kNegate);
  } else {
    Term();
  }
  while (CurInfo().op_class == kSumOperator) {
    if (CurOp() == '+') {
      Next();
      Term();
      Emit(Op::kAdd);
    }
    if (CurOp() == '-') {
      Next();
      Term();
      Emit(Op::kSubtract);
    }
  }
}

// term := factor { ("*" | "/" | "%" | "^") factor }     (one level: "^" binds like "*")
void ExprCompiler::Term() {
  Factor();
  while (CurInfo().op_class == kTermOperator) {
    if (CurOp() == '*') {
      Next();
      Factor();
      Emit(Op::kMultiply);
    }
    if (CurOp() == '/') {
      Next();
      Factor();
      Emit(Op::kDivide);
    }
    if (CurOp() == '%') {
      Next();
      Factor();
      Emit(Op::kIntegerDivide);
    }
    if (CurOp() == '^') {
      Next();
      Factor();
      Emit(Op::kPower);
    }
  }
}

// element := name "[" factor <any token>      (the closing token is passed unchecked)
// A string array counts as nothing here, and the name stays current.
void ExprCompiler::Element(bool& have) {
  const TokenInfo& bound = AtCursor();
  if (bound.array_type != KW_VAR && bound.array_type != KW_PTR) return;
  const int array = bound.array;
  const Op read = bound.array_type == KW_VAR ? Op::kNumElement : Op::kPtrElement;
  if (have) Emit(Op::kDropNumber);
  Next();
  Next();
  Factor();
  Emit(read, array);
  Next();
  have = true;
}

// factor := number | "(" sum <any> | "[" sum <any> | variable | element | function | VAL item
// function := RND|SIN|COS|TAN|RAND|ABS|ATAN|SQR|LOG|ROUND|INT|FRAC factor
// The forms are tried in that order, each on the token current by then, and a later match
// replaces the value ("3 (4)" is 4). A token begins at most one form, so after a form has
// matched only the later forms remain. No form at all gives 0, and nothing is consumed.
void ExprCompiler::Factor() {
  bool have = false;
  auto replace = [&] {
    if (have) Emit(Op::kDropNumber);
    have = true;
  };
  for (int tried = kFormNone;;) {
    const TokenInfo& t = CurInfo();
    int form = t.form;
    if (form == kFormName && NextKind() == TK_LBRACKET) form = kFormElement;
    if (form <= tried) break;
    tried = form;
    switch (form) {
      case kFormNumber:
        replace();
        Emit(Op::kNumber, 0, 0, 0, t.number);
        Next();
        break;
      case kFormParen:
      case kFormBracket:
        replace();
        Next();
        Sum();
        Next();  // the closing token, unchecked
        break;
      case kFormName: {
        const TokenInfo& bound = AtCursor();
        if (bound.var_type == KW_VAR || bound.var_type == KW_PTR) {
          replace();
          Emit(bound.var_type == KW_VAR ? Op::kVar : Op::kPtrVar, bound.var);
        }
        if (bound.var_type != 0) Next();  // a string variable counts as nothing
        break;
      }
      case kFormElement:
        Element(have);
        break;
      case kFormFunction: {
        const int function = t.kind;
        replace();
        Next();
        Factor();
        Emit(Op::kFunction, function);
        break;
      }
      case kFormVal:
        replace();
        Next();
        Next();
        TextItem();  // the closing ")" stays current
        Emit(Op::kVal);
        break;
    }
  }
  if (!have) Emit(Op::kNumber, 0, 0, 0, 0.0f);
}

}  // namespace brindle
