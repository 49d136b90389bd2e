// The expression grammar, read from the tokens through a cursor of its own. Each rule emits
// the instructions that compute its value; the parse decisions are exactly those of reading
// the expression at run time, since they depend only on the tokens and their bindings.
#pragma once

#include "expr/program.h"

namespace brindle {

class ExprCompiler {
 public:
  ExprCompiler(const TokenFacts& facts, TokenCursor at, Program& out)
      : facts_(facts), c_(at), out_(out) {}

  void Sum();
  void Term();
  void Factor();
  void Text();
  void TextItem();
  void Condition();
  void Assignment();
  bool AtNumberAssignment() const;

  TokenCursor cursor() const { return c_; }

 private:
  // Cursor: CurInfo describes the token last read by Next; bindings and the look-ahead are
  // read through exec_pos.
  void Next() {
    c_.exec_pos = c_.exec_pos < kCursorLimit ? c_.exec_pos + 1 : kCursorLimit;
    c_.cur = c_.exec_pos;
  }
  const TokenInfo& CurInfo() const { return facts_.info[c_.cur]; }
  const TokenInfo& AtCursor() const { return facts_.info[c_.exec_pos]; }
  int CurKind() const { return CurInfo().kind; }
  char CurOp() const { return CurInfo().op; }
  int NextKind() const { return facts_.info[c_.exec_pos + 1].kind; }

  // The stack depths are measured once the program is complete (MeasureDepths).
  void Emit(Op op, int32_t a = 0, int32_t b = 0, int32_t c = 0, float f = 0.0f) {
    out_.code.push_back({op, a, b, c, f});
  }

  void Element(bool& have);
  bool LeftOrRight(Op op, bool& have);
  bool Middle(bool& have);
  int ReadSource();
  void Comparison();
  int OperandType() const;

  const TokenFacts& facts_;
  TokenCursor c_;
  Program& out_;
};

}  // namespace brindle
