#include <string>

#include "exec/executor.h"
#include "expr/eval.h"
#include "expr/numbers.h"
#include "host/messages.h"

namespace brindle {
namespace {

// The substring rule: a start of 0 counts as 1, a negative start counts from the end, and a
// negative length gives nothing.
std::string Mid(const std::string& src, int start, int len) {
  const int length = static_cast<int>(src.size());
  if (start == 0) start = 1;
  if (start < 0) {
    start = length + start + 1;
    if (start < 1) start = 1;
  }
  if (src.empty() || start > length || len <= 0) return {};
  return src.substr(static_cast<size_t>(start - 1), static_cast<size_t>(len));
}

std::string MidToEnd(const std::string& src, int start) {
  return Mid(src, start, static_cast<int>(src.size()));
}

// A count is one token, never an expression: a number, or a VAR or PTR variable.
int ReadCount(const Interpreter& in) {
  if (CurKind(in) == TK_NUMBER) return ToInteger(in.facts.number[in.cursor.cur]);
  if (CurKind(in) == TK_IDENT) {
    const int v = VarAtCursor(in);
    if (in.symbols.var_type[v] == KW_VAR) return ToInteger(in.values.var_num[v]);
    if (in.symbols.var_type[v] == KW_PTR) return in.values.var_ptr[v];
  }
  return 0;
}

// The source of LSTR, RSTR and MSTR must be a string variable; anything else reads as "".
std::string ReadSource(Interpreter& in) {
  NextToken(in);
  NextToken(in);
  std::string src;
  if (CurKind(in) == TK_IDENT && VarTypeAtCursor(in) == KW_STR) {
    src = in.values.var_str[VarAtCursor(in)];
  }
  NextToken(in);
  return src;
}

// left := LSTR "(" strvar "," count <rest>     right := RSTR ... the same
bool EvalLeftOrRight(Interpreter& in, bool left, std::string& s) {
  const std::string src = ReadSource(in);
  if (CurKind(in) != TK_COMMA) return false;
  NextToken(in);
  const int n = ReadCount(in);
  NextToken(in);
  s = left ? Mid(src, 1, n) : MidToEnd(src, -n);
  return true;
}

// middle := MSTR "(" strvar "," count "," count <rest>
bool EvalMiddle(Interpreter& in, std::string& s) {
  const std::string src = ReadSource(in);
  int start = 0;
  if (CurKind(in) == TK_COMMA) {
    NextToken(in);
    start = ReadCount(in);
  }
  NextToken(in);
  if (CurKind(in) != TK_COMMA) return false;
  NextToken(in);
  const int len = ReadCount(in);
  NextToken(in);
  s = Mid(src, start, len);
  return true;
}

}  // namespace

// strexpr := ["+"] item { "+" item }
std::string EvalStr(Interpreter& in) {
  std::string s;
  if (CurOp(in) != '+') s = EvalStrItem(in);
  while (CurOp(in) == '+') {
    NextToken(in);
    s += EvalStrItem(in);
  }
  return s;
}

// item := strvar | strelement | STRS sum | CHRS sum | LSTR(..) | RSTR(..) | MSTR(..) | literal
// Tried one after another on the token current by then; a later match replaces the value.
// LSTR, RSTR and MSTR, when complete, end the item. A number literal stops the run.
std::string EvalStrItem(Interpreter& in) {
  std::string s;
  if (CurKind(in) == TK_IDENT && NextKind(in) != TK_LBRACKET && VarTypeAtCursor(in) == KW_STR) {
    s = in.values.var_str[VarAtCursor(in)];
    NextToken(in);
  }
  if (CurKind(in) == TK_IDENT && NextKind(in) == TK_LBRACKET && ArrayTypeAtCursor(in) == KW_STR) {
    const int a = ArrayAtCursor(in);
    NextToken(in);
    NextToken(in);
    const int i = ToInteger(EvalFactor(in));
    s = ReadArrayStr(in.values, a, i);
    NextToken(in);
  }
  if (CurKind(in) == KW_STRS) {
    NextToken(in);
    s = NumberToText(EvalNum(in));
  }
  if (CurKind(in) == KW_CHRS) {
    NextToken(in);
    s.assign(1, static_cast<char>(ToInteger(EvalNum(in)) & 0xff));
  }
  if (CurKind(in) == KW_LSTR && EvalLeftOrRight(in, true, s)) return s;
  if (CurKind(in) == KW_RSTR && EvalLeftOrRight(in, false, s)) return s;
  if (CurKind(in) == KW_MSTR && EvalMiddle(in, s)) return s;
  if (CurKind(in) == TK_NUMBER) {
    ShowRunTimeError(in, msg::NotString(CurText(in)));
    RunAbandon();
  }
  if (CurKind(in) == TK_STRING) {
    s = CurText(in);
    NextToken(in);
  }
  return s;
}

}  // namespace brindle
