// The expression grammar, read from the tokens through a copy of the cursor. Each rule emits
// the instructions that compute its value; the parse decisions are exactly those of reading
// the expression at run time, since they depend only on the tokens and their bindings.
#pragma once

#include "expr/cursor.h"
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
  // Assignments that follow each other are read into one program, up to most of them.
  static constexpr int kMostAssignmentsInOneProgram = 32;
  void Assignment(int most);
  bool AtNumberAssignment() const;

  TokenCursor cursor() const { return c_; }

 private:
  // The shared cursor moves and reads (expr/cursor.h), on this compiler's copy.
  void Next() { NextToken(c_); }
  const TokenInfo& CurInfo() const { return brindle::CurInfo(facts_, c_); }
  const TokenInfo& AtCursor() const { return InfoAtCursor(facts_, c_); }
  int CurKind() const { return brindle::CurKind(facts_, c_); }
  char CurOp() const { return brindle::CurOp(facts_, c_); }
  int NextKind() const { return brindle::NextKind(facts_, c_); }

  // The stack depths are measured once the program is complete (MeasureDepths).
  void Emit(Op op, int32_t a = 0, int32_t b = 0, int32_t c = 0, float f = 0.0f) {
    out_.code.push_back({op, a, b, c, f});
  }

  bool NumberAssignment();
  bool ElementAssignment();
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
