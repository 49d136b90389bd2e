// Runs a loop's region. Each operation does what its statement does when the statement loop
// dispatches it, except that the cursor is set only where something reads it: before a
// statement function, a check for a closed window, and on the way out.
#include <algorithm>

#include "exec/block_cache.h"
#include "exec/executor.h"
#include "exec/jumps.h"
#include "exec/loop_head.h"
#include "exec/pset.h"
#include "exec/region.h"
#include "expr/eval.h"
#include "runtime/faults.h"
#include "runtime/op_counts.h"

namespace brindle {
namespace {

// The pump at each token of a run that begins no statement, as the statement loop reaches
// them, until the platform says that no more events can come: the loop then passes the rest
// at once. A handler run that an event starts gives the cursor back.
[[gnu::noinline]] void PumpEach(Interpreter& in, const RegionOp& op) {
  for (int p = op.position; p <= op.last; ++p) {
#ifdef BRINDLE_STEP_BUDGET
    if (p > op.position && ++in.steps_taken > BRINDLE_STEP_BUDGET) throw WindowClosed{};
#endif
    in.cursor = {p, p};
    PumpOneEvent(in);
    if (in.cursor.exec_pos != p) return;
  }
}

// A loop whose body is one assignment program goes round here, as WEND and WHILE would take
// it through the statement loop. An assignment takes no event, cannot fail and leaves the
// stacks alone, so nothing else happens in between: WEND takes this WHILE's mark off the top
// of the loop stack and comes back, and WHILE puts it back where it was. The cursor is set
// when the loop ends, and for a look for a closed window (on the WEND, where the statement
// loop makes it), not at every turn.
[[gnu::noinline]] void TurnHere(Interpreter& in, const RegionOp& op) {
  const LoopHead& head = *op.head;
  const DirectProgram& body = *op.program->direct;
  const int wend = op.program->end.exec_pos + 1;
  for (;;) {
#ifdef BRINDLE_STEP_BUDGET
    if (++in.steps_taken > BRINDLE_STEP_BUDGET) throw WindowClosed{};
#endif
    if (CloseCheckDue(in)) {
      in.cursor = {wend, wend};
      EndIfCloseRequested(in);
    }
    if (!Holds<true>(in, head)) {
      DropLoop(*in.run);
      in.cursor = {head.after, head.mark};
      return;
    }
    RunThreeAddress(in, body);
  }
}

// A statement run by its own function, from where the statement loop dispatches it.
// Whether the region may go on after it: it ended where it ended before. The first run learns
// where it ends.
bool RunStatement(Interpreter& in, const RegionOp& op, const Region& region, Flow& flow) {
  in.cursor = {op.position, op.position};
  flow = op.statement(in);
  if (op.end == 0) {
    BlockCacheOf(in).statement_ends[op.position] = flow == Flow::kTestEnd ? in.cursor.exec_pos : -1;
    region.stale = true;
    return false;
  }
  return flow == Flow::kTestEnd && in.cursor.exec_pos == op.end && (!region.dry || PumpIsDry(in));
}

// WEND and GOTO, where a loop goes round again, look for a closed window every so many
// turns, from where the statement loop dispatches them (a close's handler run comes back
// there). Whether a dry region may go on.
bool CheckCloseEverySoOften(Interpreter& in, const RegionOp& op, const Region& region) {
  if (!CloseCheckDue(in)) return true;
  in.cursor = {op.position, op.position};
  EndIfCloseRequested(in);
  return !region.dry || PumpIsDry(in);
}

Flow Leave(Interpreter& in, int position, Flow flow) {
  in.cursor = {position, position};
  return flow;
}

// ENDFN: the operation after the call on top of the return stack, when the region has
// compiled that call; else null, with the cursor on the call for the statement loop to go on
// after it. With no call open, on.
const RegionOp* BackFromCall(Interpreter& in, const Region& region, RunState& run,
                             const RegionOp* op) {
  if (!CallOpen(run)) return op + 1;
  const int call = PopReturn(run);
  for (const ReturnSite& site : region.returns) {
    if (site.call == call) return region.ops.data() + site.op;
  }
  Leave(in, call, Flow::kSkipEndTest);
  return nullptr;
}

// WEND: back to the WHILE on top of the loop stack. Where that is the WHILE this WEND closes,
// its test is made here: the WHILE would push the mark that WEND takes off, so the stack stays
// as it is while the loop goes on. Otherwise (another loop's WHILE, which a GOTO left open, or
// events that a dry region does not take) null, with the cursor set for the statement loop to
// dispatch the WHILE. With no loop open, on.
const RegionOp* BackToLoop(Interpreter& in, const Region& region, RunState& run,
                           const RegionOp* op) {
  const bool go_on = CheckCloseEverySoOften(in, *op, region);
  if (!LoopOpen(run)) {
    if (go_on) return op + 1;
    Leave(in, op->position, Flow::kTestEnd);
    return nullptr;
  }
  const int loop = LoopOnTop(run);
  if (loop == op->loop && go_on) {
    const RegionOp& loop_while = region.ops[op->jump];
#ifdef BRINDLE_STEP_BUDGET
    ++in.steps_taken;  // the WHILE's own
#endif
    if (Holds<true>(in, *loop_while.head)) return &loop_while + 1;
    DropLoop(run);
    return region.ops.data() + loop_while.jump;
  }
  DropLoop(run);
  Leave(in, std::max(0, loop - 1), Flow::kTestEnd);
  return nullptr;
}

}  // namespace

Flow RunRegion(Interpreter& in, const Region& region) {
  const RegionOp* const ops = region.ops.data();
  RunState& run = *in.run;
  const RegionOp* op = ops;
  for (;;) {
#ifdef BRINDLE_STEP_BUDGET
    // Steps counted about as the statement loop counts them, so that the budget ends an
    // endless loop after about as much work: one for each statement, and in a dry region one
    // more for the run of tokens after it that the region passes (jumps and exits are none).
    if (op->kind < RegionOpKind::kJump) {
      in.steps_taken += region.dry ? 2 : 1;
      if (in.steps_taken > BRINDLE_STEP_BUDGET) throw WindowClosed{};
    }
#endif
    BRINDLE_COUNT_OP(kRegion, false, op->kind);
    switch (op->kind) {
      case RegionOpKind::kPump:
        if (!PumpIsDry(in)) PumpEach(in, *op);
        ++op;
        break;
      case RegionOpKind::kAssign:
        if (op->code != nullptr) {
          RunThreeAddress(in, op->code, op->pure);
        } else {
          RunNumberProgram(in, *op->program);
        }
        ++op;
        break;
      case RegionOpKind::kIf:
        if (op->code != nullptr) {
          run.if_outcome = static_cast<int>(RunThreeAddress(in, op->code, op->pure));
        } else if (op->program != nullptr) {
          run.if_outcome = static_cast<int>(RunNumberProgram(in, *op->program));
        }
        op = run.if_outcome != 0 ? op + 1 : ops + op->jump;
        break;
      case RegionOpKind::kIfChain: {
        const bool holds = ChainHolds({op->code, op->count, op->any});
        run.if_outcome = holds ? -1 : 0;
        op = holds ? op + 1 : ops + op->jump;
        break;
      }
      case RegionOpKind::kElse:
        op = run.if_outcome == -1 ? ops + op->jump : op + 1;
        break;
      case RegionOpKind::kWhile:
        op = EnterLoop<true>(in, *op->head) ? op + 1 : ops + op->jump;
        break;
      case RegionOpKind::kTurn: {
        const LoopHead& head = *op->head;
        if (EnterLoop<true>(in, head)) {
          RunNumberProgram(in, *op->program);
          TurnHere(in, *op);
          // Its looks for a closed window may have let events through.
          if (region.dry && !PumpIsDry(in)) return Leave(in, head.after, Flow::kTestEnd);
        }
        ++op;
        break;
      }
      case RegionOpKind::kCall:
        if (!PushReturn(run, op->position)) {  // the statement fails the call
          in.cursor = {op->position, op->position};
          return CallFunction(in);
        }
        ++op;
        break;
      case RegionOpKind::kEndFn:
        op = BackFromCall(in, region, run, op);
        if (op == nullptr) return Flow::kSkipEndTest;
        break;
      case RegionOpKind::kWend:
        op = BackToLoop(in, region, run, op);
        if (op == nullptr) return Flow::kTestEnd;
        break;
      case RegionOpKind::kGoto:
        if (!CheckCloseEverySoOften(in, *op, region)) {
          return Leave(in, op->target, Flow::kSkipEndTest);
        }
        ++op;
        break;
      case RegionOpKind::kPset: {
        const int x = ToInteger(RunNumberProgram(in, *op->program));
        const int y = ToInteger(RunNumberProgram(in, *op->program2));
        PsetAt(in, x, y);
        ++op;
        break;
      }
      case RegionOpKind::kStatement: {
        Flow flow;
        if (!RunStatement(in, *op, region, flow)) return flow;
        ++op;
        break;
      }
      case RegionOpKind::kJump:
        op = ops + op->jump;
        break;
      case RegionOpKind::kExitUnknown:
        region.stale = true;
        [[fallthrough]];
      case RegionOpKind::kExit:
        return Leave(in, op->position, op->exit_flow);
    }
  }
}

}  // namespace brindle
