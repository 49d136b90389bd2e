// IF/ELSE, WHILE/WEND, GOTO and parameterless functions. Jump targets come from the tables
// the pre-pass filled; untaken blocks are skipped by scanning forward.
#include <algorithm>

#include "exec/block_cache.h"
#include "exec/executor.h"
#include "exec/if_condition.h"
#include "exec/jumps.h"
#include "exec/loop_head.h"
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
    run.if_outcome = RunCondition(in, *known);
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

// The statement loop would dispatch the token after the head next; when that begins an
// assignment run before, it is run here, which is the same without a trip through the loop.
// The first time it is found, the head learns whether it is all of the body: the assignment
// ends just before a WEND that comes back to this WHILE.
const Program* FirstAssignmentOfBody(Interpreter& in, LoopHead& head, int position) {
  if (head.body_assignment == nullptr) {
    if (head.body_starts_otherwise) return nullptr;
    if (head.body >= in.image.tokens.count || in.image.facts.info[head.body + 1].kind != TK_IDENT) {
      head.body_starts_otherwise = true;  // never an assignment
      return nullptr;
    }
    head.body_assignment = KnownAssignmentAt(in, head.body + 1);
    if (head.body_assignment == nullptr) return nullptr;
    // Turned only with three-address code, which every such assignment has: one that reads a
    // text (VAL) ends before a ")", not before the WEND.
    const bool comes_back = WendFollows(*head.body_assignment) && head.mark == position &&
                            head.body_assignment->direct != nullptr;
    head.wend_after_assignment = comes_back ? head.body_assignment->end.exec_pos + 1 : 0;
  }
  return head.body_assignment;
}

// A loop whose body is one assignment program goes round here, as WEND and WHILE would take
// it through the statement loop. An assignment takes no event, cannot fail and leaves the
// stacks alone, so nothing else happens in between: WEND takes this WHILE's mark off the top
// of the loop stack and comes back, and WHILE puts it back where it was.
}  // namespace

[[gnu::noinline]] Flow TurnHere(Interpreter& in, const LoopHead& head, const Program& body) {
  const int wend = head.wend_after_assignment;
  for (;;) {
#ifdef BRINDLE_STEP_BUDGET
    if (++in.steps_taken > BRINDLE_STEP_BUDGET) throw WindowClosed{};
#endif
    if (CloseCheckDue(in)) {
      in.cursor = {wend, wend};
      EndIfCloseRequested(in);
    }
    if (!Holds(in, head)) {
      DropLoop(*in.run);
      in.cursor = {head.after, head.mark};
      return Flow::kTestEnd;
    }
    RunDirect(in, *body.direct);  // the cursor is set when the loop ends, not at every turn
  }
}

namespace {

// A loop is compiled whole once it has gone round (its statements have run and are compiled
// themselves), and again when its region has met statements that had not run yet, a few
// times at most. A loop whose body is one assignment turns faster in TurnHere. All the
// regions together hold at most so many operations (72 bytes each): a script of many loops
// around long functions cannot make them take much memory.
constexpr int kRunsBeforeRegion = 2;
constexpr int kMostRegionCompiles = 8;
constexpr size_t kMostRegionOps = size_t{1} << 20;

const Region* RegionOf(Interpreter& in, LoopHead& head, int position) {
  if (head.wend_after_assignment != 0 || in.slow_paths || in.each_statement) return nullptr;
  const bool dry = PumpIsDry(in);
  LoopHead::RegionSlot& slot = dry ? head.dry_region : head.pumping_region;
  if (slot.region != nullptr && (!slot.region->stale || slot.compiles == kMostRegionCompiles)) {
    return slot.region;
  }
  if (slot.region == nullptr) {
    if (head.mark != position || !OperandsGood(head)) return nullptr;
    if (head.runs < kRunsBeforeRegion - 1) {
      ++head.runs;
      return nullptr;
    }
    FirstAssignmentOfBody(in, head, position);
    if (head.wend_after_assignment != 0) return nullptr;
  }
  if (BlockCacheOf(in).region_ops >= kMostRegionOps) return slot.region;
  slot.region = &BlockCacheOf(in).regions.emplace_back(CompileLoopRegion(in, position, head, dry));
  BlockCacheOf(in).region_ops += slot.region->ops.size();
  ++slot.compiles;
  return slot.region;
}

// The WHILE at position, whose head is known.
Flow RunWhile(Interpreter& in, LoopHead& head, int position) {
  if (const Region* region = RegionOf(in, head, position)) return RunRegion(in, *region);
  if (!EnterLoop(in, head)) {
    in.cursor.exec_pos = head.after;
    return Flow::kTestEnd;
  }
  in.cursor.exec_pos = head.body;
  if (in.each_statement) return Flow::kTestEnd;
  const Program* body = FirstAssignmentOfBody(in, head, position);
  if (body == nullptr) return Flow::kTestEnd;
  in.cursor = {head.body + 1, head.body + 1};
  RunAssignment(in, *body);
  if (head.wend_after_assignment == 0) return Flow::kTestEnd;
  return TurnHere(in, head, *body);
}

// Every run of a WHILE reads its head afresh.
[[gnu::noinline]] Flow WhileSlowly(Interpreter& in) {
  const LoopHead head = ReadLoopHead(in);
  in.cursor.exec_pos = EnterLoop(in, head) ? head.body : head.after;
  return Flow::kTestEnd;
}

}  // namespace

// WHILE a op b [("&" | "|") c op d]
Flow WhileStatement(Interpreter& in) {
  if (in.slow_paths) [[unlikely]]
    return WhileSlowly(in);
  const int position = in.cursor.exec_pos;
  LoopHead* head = BlockCacheOf(in).loop_heads[position];
  if (head == nullptr) head = &ReadLoopHeadAtCursor(in);
  return RunWhile(in, *head, position);
}

namespace {

// Back to the loop's WHILE, which tests its condition again. A WEND reached outside any loop
// (by a GOTO into the body) does nothing.
inline Flow GoBackToWhile(Interpreter& in) {
  RunState& run = *in.run;
  if (!LoopOpen(run)) return Flow::kTestEnd;
  const int loop = LoopOnTop(run);
  DropLoop(run);
  // The statement loop would dispatch the WHILE next; it is run here. Heads are kept only
  // for WHILE tokens.
  if (!in.slow_paths && !in.each_statement && loop >= 1) {
    LoopHead* head = BlockCacheOf(in).loop_heads[loop];
    if (head != nullptr) {
      in.cursor = {loop, loop};
      return RunWhile(in, *head, loop);
    }
    if (in.image.facts.info[loop].kind == KW_WHILE) {
      in.cursor = {loop, loop};
      return WhileStatement(in);
    }
  }
  in.cursor.exec_pos = std::max(0, loop - 1);
  return Flow::kTestEnd;
}

[[gnu::noinline]] Flow CheckCloseThenGoBack(Interpreter& in) {
  EndIfCloseRequested(in);
  return GoBackToWhile(in);
}

}  // namespace

Flow WendStatement(Interpreter& in) {
  if (CloseCheckDue(in)) return CheckCloseThenGoBack(in);
  return GoBackToWhile(in);
}

Flow GotoStatement(Interpreter& in) {
  if (CloseCheckDue(in)) EndIfCloseRequested(in);
  const int target = GotoTarget(in, in.cursor.exec_pos);
  NextToken(in);
  in.cursor.exec_pos = target;
  return Flow::kSkipEndTest;
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
