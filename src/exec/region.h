// Loops compiled whole. The statement loop dispatches one statement at a time, and pumps an
// event at each token that begins no statement; a region is the same walk made once over a
// loop's tokens, from its WHILE to its WEND and through the functions it calls, and kept as a
// list of operations with the jumps between them resolved. It leaves for the statement loop,
// with the cursor where the statement loop would have it, wherever a turn goes where the walk
// did not follow: out of the loop, into a statement never run before, after a statement that
// went somewhere else than last time.
#pragma once

#include <cstdint>
#include <vector>

#include "exec/statements.h"

namespace brindle {

struct DirectInstruction;
struct Interpreter;
struct LoopHead;
struct Program;

// The operations, each declared once: the enum and the names the coverage gate reports come
// from this list.
// clang-format off
#define BRINDLE_REGION_OPS(X)                                                                 \
  /* the pump at the tokens from position to `last`, which begin no statement */             \
  X(Pump)                                                                                     \
  X(Assign)     /* program: an assignment run before */                                      \
  /* program: the condition, or null when IF leaves the last outcome; false: jump */         \
  X(If)                                                                                       \
  /* the same for a condition of comparisons: code, `count` of them, any */                  \
  X(IfChain)                                                                                  \
  X(Else)       /* the last outcome true (-1): jump */                                       \
  X(While)      /* head: the loop goes on, else jump */                                      \
  X(Turn)       /* head: a loop whose body is one assignment, turned whole; then on */       \
  /* back to the WHILE at `loop`, whose kWhile is at jump; with no loop open, on */          \
  X(Wend)                                                                                     \
  X(Goto)       /* on, to the label's code (at `target`) */                                  \
  X(Call)       /* a function at position; on to its body */                                 \
  /* back to the call on top of the return stack (Region::returns); with no call open, on */ \
  X(EndFn)                                                                                    \
  X(Pset)       /* program, program2: the coordinates */                                     \
  /* the statement at position, run by its own function; on when it ends at `end` */         \
  /* (0: not known yet, -1: never the same) */                                               \
  X(Statement)                                                                                \
  /* The three that are no statement of their own come last. */                             \
  X(Jump)                                                                                     \
  X(Exit)        /* the cursor to {position, position}, the flow to exit_flow */             \
  /* the same, for a statement not run before: the region is made again */                   \
  X(ExitUnknown)
// clang-format on

// What each operation runs of the statement it stands for:
//   Assign      the assignment's compiled program (RunNumberProgram), as the statement runs it
//   If, IfChain IF: the conditions it reads by IfReadsConditionAt, run as the statement runs
//               them (RunNumberProgram, ChainHolds over the same three-address code)
//   Else        ELSE: jumps when the last outcome was true
//   While, Turn WHILE: EnterLoop; a one-assignment body turned by TurnHere
//   Wend        WEND: back to the loop on top of the loop stack (LoopOpen, LoopOnTop, DropLoop)
//   Goto        GOTO: the statement's look for a closed window every so many turns; its
//               target by GotoTarget
//   Call, EndFn a call and ENDFN: the body by CalledBodyAfter, the return stack by PushReturn
//               and PopReturn
//   Pset        PSET: PsetAt, the coordinates' sums found where CoordinateSumAt says
//   Statement   any other statement: its own function
enum class RegionOpKind : uint8_t {
#define BRINDLE_REGION_ENUM(name) k##name,
  BRINDLE_REGION_OPS(BRINDLE_REGION_ENUM)
#undef BRINDLE_REGION_ENUM
};

struct RegionOp {
  RegionOpKind kind = RegionOpKind::kExit;
  Flow exit_flow = Flow::kTestEnd;
  bool pure = false;  // `code` needs no interpreter
  bool any = false;   // IfChain: the comparisons are joined by "|"
  int position = 0;   // the statement's token, or where an exit leaves the cursor
  int jump = 0;       // the operation a jump goes to
  int last = 0;       // Pump: the last token of the run
  int count = 0;      // IfChain: how many comparisons
  int loop = 0;       // Wend: the WHILE it closes, 0 when not in the region
  int target = 0;     // Goto: the label's position
  int end = 0;        // Statement: where it ended before
  const Program* program = nullptr;
  const Program* program2 = nullptr;
  // An assignment's or condition's three-address code, run straight from here (when it has
  // more than its end).
  const DirectInstruction* code = nullptr;
  const LoopHead* head = nullptr;
  Statement statement = nullptr;
};

// Where a function called inside a region goes on after its ENDFN.
struct ReturnSite {
  int call = 0;  // the call's name token, which the return stack holds
  int op = 0;
};

struct RegionSlots;

struct Region {
  std::vector<RegionOp> ops;  // ops[0] runs the first statement
  std::vector<ReturnSite> returns;
  // Where it is entered: a loop's WHILE, or a GOTO's label, after which it goes on; and the
  // slots it is kept in.
  int entry = 0;
  bool of_loop = false;
  const RegionSlots* owner = nullptr;  // never null once kept
  // Made for runs where no event can come: without the pump, so left wherever a statement or a
  // look for a closed window may have changed that.
  bool dry = false;
  // Set when a run left through an unknown statement or learnt where one ends: the region is
  // made again before its next run, with what the statement loop has compiled since.
  mutable bool stale = false;
};

// Where code that repeats keeps its regions: one for runs where no event can come, one for
// the others, each remade while stale up to a number of times; and how often the code has
// been reached.
struct RegionSlots {
  struct Slot {
    const Region* region = nullptr;
    int compiles = 0;
    int64_t remake_at = 0;  // the run from which a stale region is made again
  };
  Slot dry, pumping;
  int64_t runs = 0;
};

// The region of the WHILE at position, whose head is known: dry, or with the pump. It spans
// the loop and the functions it calls.
Region CompileLoopRegion(Interpreter& in, int position, const LoopHead& head, bool dry);
// The region that goes on from the token after `entry` (a GOTO's label), spanning the whole
// script.
Region CompileEntryRegion(Interpreter& in, int entry, bool dry);

// Runs a region from its WHILE; the flow to go on with, the cursor set.
Flow RunRegion(Interpreter& in, const Region& region);

}  // namespace brindle
