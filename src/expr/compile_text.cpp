#include "expr/compiler.h"
#include "lang/keywords.h"

namespace brindle {

// text := ["+"] item { "+" item }        (a leading "+" adds nothing)
void ExprCompiler::Text() {
  if (CurOp() != '+') {
    TextItem();
  } else {
    Emit(Op::kEmptyText);
  }
  while (CurOp() == '+') {
    Next();
    TextItem();
    Emit(Op::kConcat);
  }
}

// The source of LSTR, RSTR and MSTR must be a string variable; anything else reads as "".
// Returns the variable, or 0.
int ExprCompiler::ReadSource() {
  Next();
  Next();
  const int source = CurKind() == TK_IDENT && AtCursor().var_type == KW_STR ? AtCursor().var : 0;
  Next();
  return source;
}

// left := LSTR "(" strvar "," count <rest>        right := RSTR ... the same
// A count is one token, read when the program runs: a number or a VAR or PTR variable.
bool ExprCompiler::LeftOrRight(Op op, bool& have) {
  const int source = ReadSource();
  if (CurKind() != TK_COMMA) return false;
  Next();
  const int count = c_.exec_pos;
  Next();
  if (have) Emit(Op::kDropText);
  Emit(op, source, count);
  have = true;
  return true;
}

// middle := MSTR "(" strvar "," count "," count <rest>
bool ExprCompiler::Middle(bool& have) {
  const int source = ReadSource();
  int start = 0;  // position 0 holds no token, which reads as a count of 0
  if (CurKind() == TK_COMMA) {
    Next();
    start = c_.exec_pos;
  }
  Next();
  if (CurKind() != TK_COMMA) return false;
  Next();
  const int length = c_.exec_pos;
  Next();
  if (have) Emit(Op::kDropText);
  Emit(Op::kMid, source, start, length);
  have = true;
  return true;
}

// item := strvar | strelement | STRS sum | CHRS sum | LSTR(..) | RSTR(..) | MSTR(..) | literal
// Tried one after another on the token current by then; a later match replaces the value.
// LSTR, RSTR and MSTR, when complete, end the item. A number literal ends the run.
void ExprCompiler::TextItem() {
  bool have = false;
  auto replace = [&] {
    if (have) Emit(Op::kDropText);
    have = true;
  };
  if (CurKind() == TK_IDENT && NextKind() != TK_LBRACKET && AtCursor().var_type == KW_STR) {
    replace();
    Emit(Op::kStrVar, AtCursor().var);
    Next();
  }
  if (CurKind() == TK_IDENT && NextKind() == TK_LBRACKET && AtCursor().array_type == KW_STR) {
    const int array = AtCursor().array;
    replace();
    Next();
    Next();
    Factor();
    Emit(Op::kStrElement, array);
    Next();  // the closing token, unchecked
  }
  if (CurKind() == KW_STRS) {
    replace();
    Next();
    Sum();
    Emit(Op::kStrs);
  }
  if (CurKind() == KW_CHRS) {
    replace();
    Next();
    Sum();
    Emit(Op::kChrs);
  }
  if (CurKind() == KW_LSTR && LeftOrRight(Op::kLeft, have)) return;
  if (CurKind() == KW_RSTR && LeftOrRight(Op::kRight, have)) return;
  if (CurKind() == KW_MSTR && Middle(have)) return;
  if (CurKind() == TK_NUMBER) {
    Emit(Op::kTypeError, c_.cur);
  }
  if (CurKind() == TK_STRING) {
    replace();
    Emit(Op::kText, c_.cur);
    Next();
  }
  if (!have) Emit(Op::kEmptyText);
}

}  // namespace brindle
