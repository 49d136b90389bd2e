#include "exec/executor.h"

#include <array>

#include "exec/block_cache.h"
#include "exec/statements.h"
#include "expr/eval.h"
#include "lang/keywords.h"
#include "runtime/faults.h"

namespace brindle {
namespace {

// Statement kinds and their statements, as the table of keywords names them, and a name's
// statement (an assignment or a call). A kind without one begins no statement: reaching it
// lets one pending window event through.
constexpr Statement NoStatement = nullptr;

constexpr std::array<Statement, kKindLimit> MakeDispatchTable() {
  std::array<Statement, kKindLimit> t{};
#define BRINDLE_DISPATCH(NAME, code, role, counter, statement, ...) t[KW_##NAME] = statement;
  BRINDLE_STATEMENTS(BRINDLE_DISPATCH)
#undef BRINDLE_DISPATCH
  t[TK_IDENT] = IdentifierStatement;
  return t;
}
constexpr std::array<Statement, kKindLimit> kDispatch = MakeDispatchTable();

// Keeps the count of active runs right however a run ends.
class ActiveRun {
 public:
  ActiveRun(Interpreter& in, RunState& run) : in_(in), outer_(in.run) {
    run.outer = outer_;
    run.outer_token = in.cursor.cur;
    run.wparam = in.events.wparam;
    run.mouse_x = in.events.mouse_x;
    run.mouse_y = in.events.mouse_y;
    in_.run = &run;
    ++in_.active_runs;
  }
  ~ActiveRun() {
    (void)CountStoredText(in_.values, in_.run->print_text.size(), 0);
    in_.run = outer_;
    --in_.active_runs;
  }
  ActiveRun(const ActiveRun&) = delete;
  ActiveRun& operator=(const ActiveRun&) = delete;

 private:
  Interpreter& in_;
  RunState* outer_;
};

// The last of the tokens from p on that begin no statement, stopping at the script's last
// token: found once, kept in the block cache.
[[gnu::always_inline]] inline int QuietRunEnd(Interpreter& in, int p) {
  int32_t& end = BlockCacheOf(in).quiet_run_ends[p];
  if (end == 0) {
    int q = p;
    while (q < in.image.tokens.count && kDispatch[in.image.facts.info[q + 1].kind] == nullptr) {
      ++q;
    }
    end = q;  // at least p, which is at least 1
  }
  return end;
}

}  // namespace

// One pending event, if any, goes to the window procedure. While the platform says that none
// can come, each of the tokens that follow would find none either, so the cursor moves past
// them all at once.
void PumpOneEvent(Interpreter& in) {
  if (in.active_runs >= kMaxNestedRuns) {
    if (in.platform.PollClose()) in.window_proc->Dispatch({.type = WindowEvent::Type::kClose});
    return;
  }
  if (!in.platform.PumpMayDeliver() && !in.slow_paths) {  // below the nesting limit here
    const int end = QuietRunEnd(in, in.cursor.exec_pos);
    in.cursor = {end, end};
    return;
  }
  if (std::optional<WindowEvent> event = in.platform.PollEvent()) {
    in.window_proc->Dispatch(*event);
  }
}

Statement StatementOfKind(int kind) {
  return kDispatch[kind];
}

int QuietRunEndFrom(Interpreter& in, int p) {
  return QuietRunEnd(in, p);
}

Flow GoOnAfter(Interpreter& in, int before) {
  if (PumpIsDry(in)) {
    int32_t& end = BlockCacheOf(in).quiet_runs_after[before];
    if (end == 0) {
      const int next = before + 1;
      const bool quiet =
          next <= in.image.tokens.count && kDispatch[in.image.facts.info[next].kind] == nullptr;
      end = quiet ? QuietRunEnd(in, next) : -1;
    }
    if (end > 0) {
      in.cursor = {end, end};
      return Flow::kTestEnd;
    }
  }
  in.cursor.exec_pos = before;
  return Flow::kSkipEndTest;
}

namespace {

// The statement loop; kObserved: the copy that tells the observer of each statement.
template <bool kObserved>
void StatementLoop(Interpreter& in) {
  // The script image never changes while a script runs: read once, not after every statement.
  const int count = in.image.tokens.count;
  const TokenInfo* const info = in.image.facts.info.data();
  while (in.cursor.exec_pos < count) {
    Flow flow;
    do {
#ifdef BRINDLE_STEP_BUDGET
      // Fuzzing builds end endless scripts as if the window had been closed.
      if (++in.steps_taken > BRINDLE_STEP_BUDGET) throw WindowClosed{};
#endif
      NextToken(in);
      const Statement statement = kDispatch[info[in.cursor.cur].kind];
      if (statement == nullptr) {
        PumpOneEvent(in);
        flow = Flow::kTestEnd;
      } else {
        if constexpr (kObserved) in.observer->BeforeStatement(in);
        flow = statement(in);
      }
    } while (flow == Flow::kSkipEndTest);
    if (flow == Flow::kEndRun) return;
  }
}

}  // namespace

void ExecuteTokens(Interpreter& in) {
  RunState run;
  run.entry = in.cursor.exec_pos;
  ActiveRun active(in, run);
  if (in.observer != nullptr) {
    StatementLoop<true>(in);
  } else {
    StatementLoop<false>(in);
  }
}

}  // namespace brindle
