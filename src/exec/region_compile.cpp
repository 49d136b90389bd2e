// Makes a loop's region: the statement loop's walk over the loop's tokens, made once.
#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "exec/arguments.h"
#include "exec/block_cache.h"
#include "exec/executor.h"
#include "exec/if_condition.h"
#include "exec/jumps.h"
#include "exec/loop_head.h"
#include "exec/region.h"
#include "exec/scan.h"
#include "expr/eval.h"
#include "lang/keywords.h"
#include "lang/statements.h"

namespace brindle {
namespace {

// Where the statement loop stands after a statement: the cursor's position, and whether the
// loop tests for the end of the tokens before it reads on.
struct Continuation {
  int end = 0;
  Flow flow = Flow::kTestEnd;
};

// Dispatching position d: the statement loop reads on from the token before it.
Continuation Before(int d) {
  return {d - 1, Flow::kSkipEndTest};
}

class RegionCompiler {
 public:
  RegionCompiler(Interpreter& in, int first, int last, bool dry) : in_(in), ranges_{{first, last}} {
    region_.dry = dry;
  }

  // From the statement that the statement loop dispatches after `start`.
  Region Compile(Continuation start) {
    if (const int d = DispatchedAfter(start); d != 0) {
      queue_.push_back(d);
    } else {
      Emit(Exit(start));
    }
    while (!queue_.empty()) {
      const int d = queue_.back();
      queue_.pop_back();
      if (!code_at_.contains(d)) CompileChain(d);
    }
    for (const auto& [op, target] : jumps_) region_.ops[op].jump = CodeFor(target);
    for (const int call : call_sites_) {
      region_.returns.push_back({call, CodeFor({call, Flow::kSkipEndTest})});
    }
    return std::move(region_);
  }

 private:
  int Count() const { return in_.image.tokens.count; }
  bool Inside(int d) const {
    for (const auto& [first, last] : ranges_) {
      if (d >= first && d <= last) return true;
    }
    return false;
  }

  // The operation that goes on from a continuation, once every chain is compiled: the code
  // that dispatches its statement, or an exit of its own (a position inside whose code has
  // not been made, reached only by a function's range added after it was met, is left too).
  int CodeFor(Continuation target) {
    const int d = DispatchedAfter(target);
    if (d != 0) {
      if (const auto known = code_at_.find(d); known != code_at_.end()) return known->second;
    }
    return Emit(Exit(target));
  }
  int KindAt(int p) const { return in_.image.facts.info[p].kind; }

  // The position the statement loop dispatches next; 0 when the loop leaves the region or the
  // run ends there. A region for runs where no event can come passes the tokens that begin no
  // statement at once, as the statement loop does then.
  int DispatchedAfter(Continuation c) const {
    for (;;) {
      if (c.flow == Flow::kTestEnd && c.end >= Count()) return 0;
      const int d = c.end + 1;
      if (!Inside(d)) return 0;
      if (!region_.dry || StatementOfKind(KindAt(d)) != nullptr) return d;
      c = {QuietRunEndFrom(in_, d), Flow::kTestEnd};
    }
  }

  static RegionOp Exit(Continuation c, RegionOpKind kind = RegionOpKind::kExit) {
    return {.kind = kind, .exit_flow = c.flow, .position = c.end};
  }

  // Where the program has three-address code of more than its end, the operation runs it.
  static RegionOp WithCode(RegionOp op) {
    const DirectProgram* direct = op.program->direct.get();
    if (direct != nullptr && direct->code.size() > 1) {
      op.code = direct->code.data();
      op.pure = direct->pure;
    }
    return op;
  }

  int Emit(RegionOp op) {
    region_.ops.push_back(op);
    return static_cast<int>(region_.ops.size()) - 1;
  }

  // Compiles from the statement at d on, until an operation that does not fall through.
  void CompileChain(int d) {
    for (;;) {
      code_at_[d] = static_cast<int>(region_.ops.size());
      std::optional<Continuation> on = CompileAt(d);
      if (!on) return;
      d = DispatchedAfter(*on);
      if (d == 0) {
        Emit(Exit(*on));
        return;
      }
      if (const auto known = code_at_.find(d); known != code_at_.end()) {
        Emit({.kind = RegionOpKind::kJump, .jump = known->second});
        return;
      }
    }
  }

  // The last operation emitted jumps to the code for a continuation, compiled later.
  void JumpFromLast(Continuation target) {
    jumps_.emplace_back(static_cast<int>(region_.ops.size()) - 1, target);
    if (const int d = DispatchedAfter(target); d != 0) queue_.push_back(d);
  }

  // Where the statement loop stands after a kept forward scan from `start`, as
  // ScanForwardToKept leaves it, with the flow that goes on from there: on past an ELSE that
  // the scan found without the end test, else with it.
  template <typename... Kinds>
  Continuation AfterScan(int start, ZeroTable<int32_t>& ends, Kinds... kinds) {
    const TokenCursor saved = in_.cursor;
    in_.cursor = {start, start};
    const bool found = ScanForwardToKept(in_, ends, kinds...);
    const int end = in_.cursor.exec_pos;
    in_.cursor = saved;
    const bool past_else = found && KindAt(end) == KW_ELSE;
    return {end, past_else ? Flow::kSkipEndTest : Flow::kTestEnd};
  }

  friend constexpr std::array<std::optional<Continuation> (RegionCompiler::*)(int), kKindLimit>
  MakeForms();
  std::optional<Continuation> CompileAt(int d);
  std::optional<Continuation> CompileNone(int d);
  std::optional<Continuation> CompileName(int d);
  std::optional<Continuation> CompileGoto(int d);
  std::optional<Continuation> CompileEndFn(int d);
  std::optional<Continuation> CompileIf(int d);
  std::optional<Continuation> CompileElse(int d);
  std::optional<Continuation> CompileWhile(int d);
  const Program* WholeBodyAssignment(int d, const LoopHead& head) const;
  std::optional<Continuation> CompileWend(int d);
  std::optional<Continuation> CompileCall(int d);
  std::optional<Continuation> CompilePset(int d);
  std::optional<Continuation> CompileStatement(int d);

  Interpreter& in_;
  // The dispatched positions inside the region: the loop's and the bodies of the functions it
  // calls, or the whole script.
  std::vector<std::pair<int, int>> ranges_;
  std::vector<int> call_sites_;
  Region region_;
  std::vector<int> queue_;                           // dispatched positions still to compile
  std::unordered_map<int, int> code_at_;             // dispatched position -> its first op
  std::vector<std::pair<int, Continuation>> jumps_;  // op -> where its jump goes
  std::unordered_map<int, int> while_of_wend_;       // a WEND's position -> its WHILE's
};

// What a region makes of each statement, as the table of keywords says: an operation of the
// region's own, or a call of the statement's function; a name begins an assignment or a call.
// Any other kind, and a keyword whose form is None, begins no statement.
using Form = std::optional<Continuation> (RegionCompiler::*)(int);

constexpr std::array<Form, kKindLimit> MakeForms() {
  std::array<Form, kKindLimit> t{};
#define BRINDLE_FORM(NAME, code, role, counter, statement, function, check, caption, arity,       \
                     arguments, compiled, ...)                                                    \
  static_assert(                                                                                  \
      (std::string_view(#statement) == "NoStatement") == (std::string_view(#compiled) == "None"), \
      "a keyword that begins a statement has a compiled form, and only those");                   \
  t[KW_##NAME] = &RegionCompiler::Compile##compiled;
  BRINDLE_STATEMENTS(BRINDLE_FORM)
#undef BRINDLE_FORM
  t[TK_IDENT] = &RegionCompiler::CompileName;
  return t;
}
constexpr std::array<Form, kKindLimit> kForms = MakeForms();

std::optional<Continuation> RegionCompiler::CompileAt(int d) {
  const Form form = kForms[KindAt(d)];
  return (this->*(form != nullptr ? form : &RegionCompiler::CompileNone))(d);
}

// The pump, at each of a run of tokens that begin no statement.
std::optional<Continuation> RegionCompiler::CompileNone(int d) {
  const int end = QuietRunEndFrom(in_, d);
  Emit({.kind = RegionOpKind::kPump, .position = d, .last = end});
  return Continuation{end, Flow::kTestEnd};
}

// An assignment run before, or a call.
std::optional<Continuation> RegionCompiler::CompileName(int d) {
  if (const Program* assignment = KnownAssignmentAt(in_, d)) {
    Emit(WithCode({.kind = RegionOpKind::kAssign, .position = d, .program = assignment}));
    return Continuation{assignment->end.exec_pos, Flow::kTestEnd};
  }
  if (KindAt(d + 1) == TK_LPAREN) return CompileCall(d);
  return CompileStatement(d);
}

std::optional<Continuation> RegionCompiler::CompileGoto(int d) {
  Emit({.kind = RegionOpKind::kGoto, .position = d, .target = GotoTarget(in_, d)});
  return Continuation{GotoTarget(in_, d), Flow::kSkipEndTest};
}

// Back to the call: where its statement goes on depends on the call (returns).
std::optional<Continuation> RegionCompiler::CompileEndFn(int d) {
  Emit({.kind = RegionOpKind::kEndFn, .position = d});
  return Continuation{d, Flow::kTestEnd};
}

// IF reads its condition from the token after it. A condition whose first operand is neither
// a number, a text nor an element is never read: the last outcome stands.
std::optional<Continuation> RegionCompiler::CompileIf(int d) {
  const Program* condition = KnownConditionAt(in_, d + 1);
  int end = d + 1;
  if (condition != nullptr) {
    end = condition->end.exec_pos;
  } else if (IfReadsConditionAt(in_, d + 1)) {
    Emit(Exit(Before(d), RegionOpKind::kExitUnknown));  // read at its first run
    return std::nullopt;
  }
  const DirectProgram* direct = condition != nullptr ? condition->direct.get() : nullptr;
  const std::optional<ComparisonChain> chain =
      direct != nullptr ? FindComparisonChain(*direct) : std::nullopt;
  if (chain) {
    Emit({.kind = RegionOpKind::kIfChain,
          .any = chain->any,
          .position = d,
          .count = chain->count,
          .program = condition,
          .code = chain->first});
  } else {
    RegionOp op{.kind = RegionOpKind::kIf, .position = d, .program = condition};
    Emit(condition != nullptr ? WithCode(op) : op);
  }
  JumpFromLast(AfterScan(end, BlockCacheOf(in_).else_or_endif_scans, KW_ELSE, KW_ENDIF));
  return Continuation{end, Flow::kTestEnd};
}

// ELSE after a true branch passes over the other one.
std::optional<Continuation> RegionCompiler::CompileElse(int d) {
  Emit({.kind = RegionOpKind::kElse, .position = d});
  JumpFromLast(AfterScan(d, BlockCacheOf(in_).endif_scans, KW_ENDIF));
  return Continuation{d, Flow::kTestEnd};
}

// A WHILE whose head has been read, and reads as a loop (its operands are variables or
// numbers); any other leaves to the statement loop.
std::optional<Continuation> RegionCompiler::CompileWhile(int d) {
  const LoopHead* head = BlockCacheOf(in_).loop_heads[d];
  if (head == nullptr || head->mark != d || !OperandsGood(*head)) {
    Emit(Exit(Before(d), head == nullptr ? RegionOpKind::kExitUnknown : RegionOpKind::kExit));
    return std::nullopt;
  }
  if (const Program* body = WholeBodyAssignment(d, *head)) {
    Emit({.kind = RegionOpKind::kTurn, .position = d, .program = body, .head = head});
    return Continuation{head->after, Flow::kTestEnd};
  }
  Emit({.kind = RegionOpKind::kWhile, .position = d, .head = head});
  JumpFromLast({head->after, Flow::kTestEnd});
  while_of_wend_[head->after - 1] = d;
  return Continuation{head->body, Flow::kTestEnd};
}

// The assignment program that is the whole body of the loop at d, when it has three-address
// code: the statement loop dispatches it right after the head and the loop's WEND right after
// it. Every assignment followed by a WEND has that code (one that reads a text, through VAL,
// ends before a ")").
const Program* RegionCompiler::WholeBodyAssignment(int d, const LoopHead& head) const {
  const int first = head.body + 1;
  if (first >= Count() || KindAt(first) != TK_IDENT) return nullptr;
  const Program* body = KnownAssignmentAt(in_, first);
  if (body == nullptr || body->direct == nullptr) return nullptr;
  const int next = body->end.exec_pos + 1;
  return next == head.after - 1 && KindAt(next) == KW_WEND && head.mark == d ? body : nullptr;
}

// A call of a function that is defined (else the call fails) and ends with ENDFN: its body
// joins the region. Where the statement loop goes on after the return is compiled too.
std::optional<Continuation> RegionCompiler::CompileCall(int d) {
  const int body = CalledBodyAfter(in_, d);
  int end = body;
  while (body != 0 && end < Count() && KindAt(end) != KW_ENDFN) ++end;
  if (body == 0 || KindAt(end) != KW_ENDFN) return CompileStatement(d);
  if (!Inside(body) || !Inside(end)) ranges_.emplace_back(body, end);
  Emit({.kind = RegionOpKind::kCall, .position = d});
  call_sites_.push_back(d);
  if (const int next = DispatchedAfter({d, Flow::kSkipEndTest}); next != 0) {
    queue_.push_back(next);
  }
  return Continuation{body, Flow::kSkipEndTest};
}

// WEND goes back to the WHILE on top of the loop stack: where that is the WHILE this WEND
// closes, to its code; elsewhere, by the statement loop.
std::optional<Continuation> RegionCompiler::CompileWend(int d) {
  const auto loop = while_of_wend_.find(d);
  const int closes = loop != while_of_wend_.end() ? loop->second : 0;
  Emit({.kind = RegionOpKind::kWend, .position = d, .loop = closes});
  if (closes != 0) JumpFromLast(Before(closes));
  return Continuation{d, Flow::kTestEnd};
}

// PSET with both coordinates read before.
std::optional<Continuation> RegionCompiler::CompilePset(int d) {
  const Program* x = KnownSumAt(in_, CoordinateSumAt(d));
  const Program* y = x != nullptr ? KnownSumAt(in_, CoordinateSumAt(x->end.exec_pos)) : nullptr;
  if (y == nullptr) {
    Emit(Exit(Before(d), RegionOpKind::kExitUnknown));
    return std::nullopt;
  }
  Emit({.kind = RegionOpKind::kPset, .position = d, .program = x, .program2 = y});
  return Continuation{y->end.exec_pos, Flow::kTestEnd};
}

// Any other statement runs by its own function; the region goes on where it ended last time.
std::optional<Continuation> RegionCompiler::CompileStatement(int d) {
  const int end = BlockCacheOf(in_).statement_ends[d];
  Emit({.kind = RegionOpKind::kStatement,
        .position = d,
        .end = end,
        .statement = StatementOfKind(KindAt(d))});
  if (end <= 0) return std::nullopt;
  return Continuation{end, Flow::kTestEnd};
}

}  // namespace

Region CompileLoopRegion(Interpreter& in, int position, const LoopHead& head, bool dry) {
  Region region = RegionCompiler(in, position, head.after - 1, dry).Compile(Before(position));
  region.entry = position;
  region.of_loop = true;
  return region;
}

Region CompileEntryRegion(Interpreter& in, int entry, bool dry) {
  Region region =
      RegionCompiler(in, 1, in.image.tokens.count, dry).Compile({entry, Flow::kTestEnd});
  region.entry = entry;
  return region;
}

}  // namespace brindle
