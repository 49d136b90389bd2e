#include "exec/loop_head.h"

#include "exec/block_cache.h"
#include "exec/scan.h"
#include "expr/eval.h"
#include "lang/keywords.h"
#include "lang/messages.h"
#include "runtime/faults.h"

namespace brindle {
namespace {

// Reads "a op b" with a at position p: a must be a VAR variable, b a VAR variable or a number.
LoopComparison ReadComparison(const Interpreter& in, int p) {
  const TokenInfo& a = in.image.facts.info[p];
  const TokenInfo& b = in.image.facts.info[p + 2];
  LoopComparison c;
  c.op = in.image.facts.info[p + 1].kind;
  if (a.kind != TK_IDENT || a.var_type != KW_VAR) {
    c.bad_operand = p;
  } else if (b.kind == TK_IDENT && b.var_type == KW_VAR) {
    c.right_var = b.var;
  } else if (b.kind == TK_NUMBER) {
    c.right_number = b.number;
  } else {
    c.bad_operand = p + 2;
  }
  c.left_var = a.var;
  return c;
}

// Where a false condition goes: past the WEND that matches this WHILE, counting nested loops,
// and past the token after it.
int PositionAfterLoop(Interpreter& in, int body) {
  const TokenCursor saved = in.cursor;
  in.cursor.exec_pos = body;
  int depth = 1;
  while (depth > 0 && ScanForwardTo(in, KW_WHILE, KW_WEND)) {
    depth += CurKind(in) == KW_WHILE ? 1 : -1;
  }
  if (in.cursor.exec_pos < in.image.tokens.count) in.cursor.exec_pos += 1;
  const int after = in.cursor.exec_pos;
  in.cursor = saved;
  return after;
}

}  // namespace

void AbandonForWrongType(Interpreter& in, int operand) {
  FailRun(in, FoundAt(msg::WrongType(in.image.tokens.text[operand]), operand));
}

LoopHead ReadLoopHead(Interpreter& in) {
  const int p = in.cursor.exec_pos;
  LoopHead head;
  head.mark = in.image.blocks.while_mark[p];
  head.first = ReadComparison(in, p + 1);
  head.body = p + 4;
  const int join = in.image.facts.info[p + 4].kind;
  if (join == TK_AMP || join == TK_BAR) {
    head.join = join;
    head.second = ReadComparison(in, p + 5);
    head.body = p + 8;
  }
  head.after = PositionAfterLoop(in, head.body);
  return head;
}

LoopHead& ReadLoopHeadAtCursor(Interpreter& in) {
  LoopHead*& slot = BlockCacheOf(in).loop_heads[in.cursor.exec_pos];
  // Kept only once read in full (a faulty head ends the run while it is read).
  LoopHead head = ReadLoopHead(in);
  if (slot == nullptr) slot = &BlockCacheOf(in).heads.emplace_back();
  *slot = head;
  return *slot;
}

}  // namespace brindle
