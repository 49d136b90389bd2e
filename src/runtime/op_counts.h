// How often each machine ran each of its operations, for the test suite's coverage gate
// (make opcoverage). The counters exist only in a build configured with BRINDLE_OP_COUNTS:
// elsewhere BRINDLE_COUNT_OP is nothing at all, so the machines' paths stay as they are.
#pragma once

#include <cstdint>

namespace brindle {

// The machines, each with its own list of operations. The stack machine and the WHILE head
// run on both paths and are counted apart on each; the others exist only on the fast paths.
enum class OpMachine : uint8_t {
  kStack,      // RunStackCode: Op
  kPureCode,   // RunPureCode: DirectOp, the pure ones and End
  kCode,       // RunCodeWithInterpreter: DirectOp
  kChain,      // ChainHolds: ChainOp
  kWhileHead,  // Holds: HeadOp
  kRegion,     // RunRegion: RegionOpKind
};
inline constexpr int kOpMachines = 6;
inline constexpr int kMostMachineOps = 64;

// A comparison chain's operations: the comparison instructions it decides, and its two joins.
// clang-format off
#define BRINDLE_CHAIN_OPS(X) \
  X(Less) X(Greater) X(Equal) X(NotEqual) X(AllOf) X(AnyOf)
// A WHILE head's: one comparison or two joined, each comparison's operator (any other never
// holds) and its right operand.
#define BRINDLE_HEAD_OPS(X)                                                                \
  X(One) X(AllOf) X(AnyOf) X(Equal) X(NotEqual) X(Greater) X(Less) X(OtherOperator)       \
  X(RightVariable) X(RightNumber)
// clang-format on

enum class ChainOp : uint8_t {
#define BRINDLE_CHAIN_ENUM(name) k##name,
  BRINDLE_CHAIN_OPS(BRINDLE_CHAIN_ENUM)
#undef BRINDLE_CHAIN_ENUM
};

enum class HeadOp : uint8_t {
#define BRINDLE_HEAD_ENUM(name) k##name,
  BRINDLE_HEAD_OPS(BRINDLE_HEAD_ENUM)
#undef BRINDLE_HEAD_ENUM
};

#ifdef BRINDLE_OP_COUNTS
// [machine][slow path][operation]. Written out at exit when BRINDLE_OP_COUNTS_FILE names a
// file (tests/op_coverage/op_counts_file.cpp).
extern uint64_t g_op_counts[kOpMachines][2][kMostMachineOps];
#define BRINDLE_COUNT_OP(machine, slow, op)                                                  \
  (++::brindle::g_op_counts[static_cast<int>(::brindle::OpMachine::machine)][(slow) ? 1 : 0] \
                           [static_cast<int>(op)])
#else
#define BRINDLE_COUNT_OP(machine, slow, op) static_cast<void>(0)
#endif

}  // namespace brindle
