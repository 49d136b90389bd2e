// The token cursor's moves and reads, for any cursor over the script's token facts: the
// interpreter's own (through the wrappers in eval.h) and the copy the compiler advances, so
// that compiling an expression reads the tokens exactly as evaluating it would.
// CurInfo describes the token last read by NextToken; bindings and the look-ahead are read
// through exec_pos. The two differ only after direct positioning.
#pragma once

#include "runtime/token_facts.h"

namespace brindle {

inline void NextToken(TokenCursor& c) {
  c.exec_pos = c.exec_pos < kCursorLimit ? c.exec_pos + 1 : kCursorLimit;
  c.cur = c.exec_pos;
}
inline const TokenInfo& CurInfo(const TokenFacts& facts, const TokenCursor& c) {
  return facts.info[c.cur];
}
inline const TokenInfo& InfoAtCursor(const TokenFacts& facts, const TokenCursor& c) {
  return facts.info[c.exec_pos];
}
inline int CurKind(const TokenFacts& facts, const TokenCursor& c) {
  return CurInfo(facts, c).kind;
}
// The current text when it is one byte long (operators are recognised by text), else 0.
inline char CurOp(const TokenFacts& facts, const TokenCursor& c) {
  return CurInfo(facts, c).op;
}
inline int NextKind(const TokenFacts& facts, const TokenCursor& c) {
  return facts.info[c.exec_pos + 1].kind;
}

}  // namespace brindle
