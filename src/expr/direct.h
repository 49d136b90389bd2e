// Number programs in three-address form. The stack machine pushes every operand and pops it
// again; here each instruction reads its operands where they are (a variable's cell, a
// constant, an earlier instruction's result) and writes its result where it belongs, so that
// "i = i + 1" is one instruction instead of three.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "expr/compare.h"
#include "runtime/op_counts.h"

namespace brindle {

// The instructions, each declared once with where it runs:
//   PURE   arithmetic and comparisons on cells, in both machines (and in comparison chains);
//   READS  reads or writes the interpreter's values, inline in the machine that has them;
//   CALLS  calls out, through its own routine (Calling_NAME) kept off the threaded path.
// The enum, IsPure and both machines' dispatch tables are made from this list, and each
// machine's code for an instruction is found by its name: an instruction without code, or
// with code in the wrong machine, does not compile.
// clang-format off
#define BRINDLE_DIRECT_OPS(X)                                                                \
  X(Move, PURE)                                                                              \
  X(Add, PURE)                                                                               \
  X(Subtract, PURE)                                                                          \
  X(Multiply, PURE)                                                                          \
  X(Divide, PURE)                                                                            \
  X(IntegerDivide, CALLS)                                                                    \
  X(Power, CALLS)                                                                            \
  X(Negate, PURE)                                                                            \
  X(Function, CALLS)                                                                         \
  X(Less, PURE)                                                                              \
  X(Greater, PURE)                                                                           \
  X(Equal, PURE)                                                                             \
  X(NotEqual, PURE)                                                                          \
  X(StrVarEqualsText, CALLS)  /* STR variable x and the string literal at token index */    \
  X(StrVarDiffersText, CALLS)                                                                \
  X(And, PURE)                                                                               \
  X(Or, PURE)                                                                                \
  X(PtrVar, READS)                                                                           \
  X(NumElement, READS)                                                                       \
  X(NumElementAt, READS)                                                                     \
  X(PtrElement, READS)                                                                       \
  X(PtrElementAt, READS)                                                                     \
  X(StorePtr, READS)                                                                         \
  X(StoreNumElement, READS)                                                                  \
  /* "a[i] = a[i] op b": the element at index a, rounded once, read, computed and written */ \
  X(NumElementAdd, READS)                                                                    \
  X(NumElementSubtract, READS)                                                               \
  X(NumElementMultiply, READS)                                                               \
  X(NumElementDivide, READS)                                                                 \
  X(StorePtrElement, CALLS)                                                                  \
  X(End, PURE)                /* the last instruction of every program; a is the result */
// clang-format on

enum class DirectOp : uint8_t {
#define BRINDLE_DIRECT_ENUM(name, where) k##name,
  BRINDLE_DIRECT_OPS(BRINDLE_DIRECT_ENUM)
#undef BRINDLE_DIRECT_ENUM
};

#define BRINDLE_DIRECT_IS_PURE_PURE true
#define BRINDLE_DIRECT_IS_PURE_READS false
#define BRINDLE_DIRECT_IS_PURE_CALLS false
inline constexpr bool kDirectOpIsPure[] = {
#define BRINDLE_DIRECT_PURITY(name, where) BRINDLE_DIRECT_IS_PURE_##where,
    BRINDLE_DIRECT_OPS(BRINDLE_DIRECT_PURITY)
#undef BRINDLE_DIRECT_PURITY
};

// Whether the machine without the interpreter can run the instruction.
constexpr bool IsPure(DirectOp op) {
  return kDirectOpIsPure[static_cast<int>(op)];
}

struct DirectInstruction {
  DirectOp op = DirectOp::kMove;
  // The array, the function's keyword, the comparison's operator, or the PTR variable.
  int32_t x = 0;
  int32_t index = 0;  // an element's index, rounded, when it is a number
  float* out = nullptr;
  const float* a = nullptr;
  const float* b = nullptr;
};

struct DirectProgram {
  std::vector<DirectInstruction> code;
  std::unique_ptr<float[]> cells;  // constants and results: they stay where they are
  // What the stack machine leaves at the bottom of its stack: a program's value. An
  // assignment program leaves nothing there and reads as 0.
  const float* result = nullptr;
  // Only arithmetic and comparisons on cells: no element, PTR variable, text or call.
  bool pure = false;
};

struct Program;

// A condition made of comparisons of cells only, joined all by "&" or all by "|". Its truth
// values are -1 and 0, joined bitwise, so it is true when all of them hold, or any of them;
// and a comparison of cells does nothing else, so the first comparison that settles the
// outcome may decide it and the others need not run.
struct ComparisonChain {
  const DirectInstruction* first = nullptr;  // the comparisons, one after another
  int count = 0;
  bool any = false;  // joined by "|"; else by "&"
};

// The program's comparisons as a chain, when it is such a condition: no comparison reads
// another instruction's result, and the joins take each result once.
std::optional<ComparisonChain> FindComparisonChain(const DirectProgram& program);

// Whether one comparison instruction of a chain holds, as the machines compare.
inline bool ComparisonHolds(const DirectInstruction& i) {
  switch (i.op) {
    case DirectOp::kLess:
      BRINDLE_COUNT_OP(kChain, false, ChainOp::kLess);
      return NumbersCompare(*i.a, *i.b, TK_LESS);
    case DirectOp::kGreater:
      BRINDLE_COUNT_OP(kChain, false, ChainOp::kGreater);
      return NumbersCompare(*i.a, *i.b, TK_GREATER);
    case DirectOp::kEqual:
      BRINDLE_COUNT_OP(kChain, false, ChainOp::kEqual);
      return NumbersCompare(*i.a, *i.b, TK_EQUAL);
    default:  // kNotEqual, the last of the four
      BRINDLE_COUNT_OP(kChain, false, ChainOp::kNotEqual);
      return NumbersCompare(*i.a, *i.b, TK_BANG);
  }
}

// The chain's outcome: what the program gives, -1 or 0, as true or false.
inline bool ChainHolds(const ComparisonChain& chain) {
  BRINDLE_COUNT_OP(kChain, false, chain.any ? ChainOp::kAnyOf : ChainOp::kAllOf);
  for (int k = 0; k < chain.count; ++k) {
    if (ComparisonHolds(chain.first[k]) == chain.any) return chain.any;
  }
  return !chain.any;
}

// The program in three-address form over the given VAR variable cells, or null for a program
// that reads or makes texts.
std::unique_ptr<DirectProgram> MakeDirect(const Program& program, float* var_cells);

}  // namespace brindle
