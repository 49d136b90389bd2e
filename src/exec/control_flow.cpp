// IF/ELSE, WHILE/WEND, GOTO and parameterless functions. Jump targets come from the tables
// the pre-pass filled; untaken blocks are skipped by scanning forward.
#include <algorithm>

#include "exec/block_cache.h"
#include "exec/executor.h"
#include "exec/if_condition.h"
#include "exec/jumps.h"
#include "exec/loop_head.h"
#include "exec/region_entry.h"
#include "exec/scan.h"
#include "exec/statements.h"
#include "expr/compare.h"
#include "expr/eval.h"
#include "lang/messages.h"
#include "platform/window_events.h"
#include "runtime/faults.h"

namespace brindle {

// IF condition: a false condition goes on after the first ELSE or ENDIF, nesting not counted.
Flow IfStatement(Interpreter& in) {
  RunState& run = *in.run;
  NextToken(in);
  const Program* known = in.slow_paths ? nullptr : KnownConditionAt(in, in.cursor.exec_pos);
  if (known != nullptr) {
    run.if_outcome = static_cast<int>(RunNumberProgram(in, *known));
  } else if (IfReadsConditionAt(in, in.cursor.exec_pos)) {
    run.if_outcome = EvalCondition(in);
  }
  if (run.if_outcome != 0) return Flow::kTestEnd;
  if (ScanForwardToKept(in, BlockCacheOf(in).else_or_endif_scans, KW_ELSE, KW_ENDIF) &&
      CurKind(in) == KW_ELSE) {
    return Flow::kSkipEndTest;
  }
  return Flow::kTestEnd;
}

// Reached at the end of a true branch.
Flow ElseStatement(Interpreter& in) {
  if (in.run->if_outcome == -1) ScanForwardToKept(in, BlockCacheOf(in).endif_scans, KW_ENDIF);
  return Flow::kTestEnd;
}

constexpr int kTurnsPerCloseCheck = 256;

void EndIfCloseRequested(Interpreter& in) {
  in.loop_turns_to_close_check = kTurnsPerCloseCheck;
  if (in.platform.CloseRequested()) in.window_proc->Dispatch(Event(WindowEvent::Type::kClose));
}

namespace {

// A loop is compiled whole once it has gone round (its statements have run and are compiled
// themselves), and again when its region has met statements that had not run yet.
const Region* RegionOf(Interpreter& in, LoopHead& head, int position) {
  if (head.mark != position || !OperandsGood(head)) return nullptr;
  return RegionToRun(in, head.regions,
                     [&](bool dry) { return CompileLoopRegion(in, position, head, dry); });
}

// The head at position: kept in the block cache, except on the slow paths, where every run of
// a WHILE reads its head afresh (into `scratch`).
LoopHead& HeadAt(Interpreter& in, int position, LoopHead& scratch) {
  if (in.slow_paths) [[unlikely]]
    return scratch = ReadLoopHead(in);
  LoopHead* head = BlockCacheOf(in).loop_heads[position];
  return head != nullptr ? *head : ReadLoopHeadAtCursor(in);
}

// Where the statement loop goes on from the token after a GOTO's label, `position`, with
// `flow`: runs the region made from there once a GOTO has gone there before, and gives the
// flow to go on with, the cursor set; else gives `flow` back with the cursor as it is.
Flow GoOnFrom(Interpreter& in, int position, Flow flow) {
  if (in.slow_paths || in.each_statement || position >= in.image.tokens.count) return flow;
  RegionSlots*& slots = BlockCacheOf(in).entry_regions[position];
  if (slots == nullptr) slots = &BlockCacheOf(in).entry_slots.emplace_back();
  const Region* region =
      RegionToRun(in, *slots, [&](bool dry) { return CompileEntryRegion(in, position, dry); });
  return region != nullptr ? RunRegion(in, *region) : flow;
}

}  // namespace

// WHILE a op b [("&" | "|") c op d]. A loop that has gone round runs as its region.
Flow WhileStatement(Interpreter& in) {
  const int position = in.cursor.exec_pos;
  LoopHead scratch;
  LoopHead& head = HeadAt(in, position, scratch);
  if (const Region* region = RegionOf(in, head, position)) return RunRegion(in, *region);
  in.cursor.exec_pos = EnterLoop(in, head) ? head.body : head.after;
  return Flow::kTestEnd;
}

// Back to the loop's WHILE, which tests its condition again. A WEND reached outside any loop
// (by a GOTO into the body) does nothing.
Flow WendStatement(Interpreter& in) {
  if (CloseCheckDue(in)) EndIfCloseRequested(in);
  RunState& run = *in.run;
  if (!LoopOpen(run)) return Flow::kTestEnd;
  const int loop = LoopOnTop(run);
  DropLoop(run);
  in.cursor.exec_pos = std::max(0, loop - 1);
  return Flow::kTestEnd;
}

Flow GotoStatement(Interpreter& in) {
  if (CloseCheckDue(in)) EndIfCloseRequested(in);
  const int target = GotoTarget(in, in.cursor.exec_pos);
  NextToken(in);
  in.cursor.exec_pos = target;
  return GoOnFrom(in, target, Flow::kSkipEndTest);
}

// name "(": runs the body after the definition's "FUNC name ( )".
Flow CallFunction(Interpreter& in) {
  const int p = in.cursor.exec_pos;
  const int body = CalledBodyAfter(in, p);
  if (body == 0) FailRun(in, msg::FunctionNotFound(CurText(in)));
  if (!PushReturn(*in.run, p)) FailRun(in, msg::TooManyNestedCalls());
  return GoOnAfter(in, body);
}

// Back to the "(" after the call's name; the rest of the calling line goes on.
Flow EndFnStatement(Interpreter& in) {
  RunState& run = *in.run;
  return CallOpen(run) ? GoOnAfter(in, PopReturn(run)) : Flow::kTestEnd;
}

// The flow that reaches a definition passes over it: a body runs only when called.
Flow FuncStatement(Interpreter& in) {
  if (ScanForwardTo(in, KW_ENDFN) && in.cursor.exec_pos < in.image.tokens.count) {
    in.cursor.exec_pos += 1;
  }
  return Flow::kTestEnd;
}

}  // namespace brindle
