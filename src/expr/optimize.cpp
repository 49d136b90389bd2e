#include <optional>

#include "expr/program.h"
#include "lang/numbers.h"
#include "lang/token_kinds.h"

namespace brindle {
namespace {

// The fused form of an operator taking its right operand from the instruction before it.
Op Fused(Op push, Op op) {
  const bool var = push == Op::kVar;
  switch (op) {
    case Op::kAdd:
      return var ? Op::kAddVar : Op::kAddNumber;
    case Op::kSubtract:
      return var ? Op::kSubtractVar : Op::kSubtractNumber;
    case Op::kMultiply:
      return var ? Op::kMultiplyVar : Op::kMultiplyNumber;
    case Op::kDivide:
      return var ? Op::kDivideVar : Op::kDivideNumber;
    default:
      return op;
  }
}

// The push of a variable and the fused operator after it, as one push.
Op FusedWithVariable(Op op) {
  switch (op) {
    case Op::kAddNumber:
      return Op::kVarAddNumber;
    case Op::kSubtractNumber:
      return Op::kVarSubtractNumber;
    case Op::kMultiplyNumber:
      return Op::kVarMultiplyNumber;
    case Op::kDivideNumber:
      return Op::kVarDivideNumber;
    case Op::kAddVar:
      return Op::kVarAddVar;
    case Op::kSubtractVar:
      return Op::kVarSubtractVar;
    case Op::kMultiplyVar:
      return Op::kVarMultiplyVar;
    case Op::kDivideVar:
      return Op::kVarDivideVar;
    default:
      return op;
  }
}

// The element read that takes its index from the push before it, when there is one.
Op FusedElement(Op index, Op read) {
  const bool var = index == Op::kVar, number = index == Op::kNumber;
  if (read == Op::kNumElement && var) return Op::kNumElementAtVar;
  if (read == Op::kNumElement && number) return Op::kNumElementAt;
  if (read == Op::kPtrElement && var) return Op::kPtrElementAtVar;
  if (read == Op::kPtrElement && number) return Op::kPtrElementAt;
  return read;
}

// One pass: each instruction k that `fuse` combines with instruction k + 1 becomes one.
template <typename Fuse>
void FusePairs(std::vector<Instruction>& code, Fuse fuse) {
  std::vector<Instruction> out;
  out.reserve(code.size());
  for (size_t k = 0; k < code.size(); ++k) {
    if (k + 1 < code.size()) {
      if (std::optional<Instruction> fused = fuse(code[k], code[k + 1])) {
        out.push_back(*fused);
        ++k;
        continue;
      }
    }
    out.push_back(code[k]);
  }
  code = std::move(out);
}

}  // namespace

namespace {

// "s = \"text\"" and "s ! \"text\"": the variable and the literal are compared where they are,
// without copying either onto the text stack.
void FuseTextComparisons(std::vector<Instruction>& code) {
  std::vector<Instruction> out;
  out.reserve(code.size());
  for (size_t k = 0; k < code.size(); ++k) {
    if (k + 2 < code.size() && code[k].op == Op::kStrVar && code[k + 1].op == Op::kText &&
        code[k + 2].op == Op::kCompareTexts && code[k + 2].b == 0 &&
        (code[k + 2].a == TK_EQUAL || code[k + 2].a == TK_BANG)) {
      out.push_back({Op::kCompareStrVarText, code[k].a, code[k + 2].a, code[k + 1].a});
      k += 2;
      continue;
    }
    out.push_back(code[k]);
  }
  code = std::move(out);
}

}  // namespace

void Optimize(Program& program) {
  FuseTextComparisons(program.code);
  // An element whose index is a variable or a number reads the index itself; a number index
  // is rounded here, once, as the run would round it every time.
  FusePairs(program.code, [](const Instruction& index, const Instruction& read) {
    std::optional<Instruction> fused;
    if (FusedElement(index.op, read.op) != read.op) {
      fused = read;
      fused->op = FusedElement(index.op, read.op);
      fused->b = index.a;
      fused->c = index.op == Op::kNumber ? ToInteger(index.f) : 0;
    }
    return fused;
  });
  // An operator whose right operand is a variable or a number takes it as an operand.
  FusePairs(program.code, [](const Instruction& push, const Instruction& op) {
    std::optional<Instruction> fused;
    if ((push.op == Op::kVar || push.op == Op::kNumber) && Fused(push.op, op.op) != op.op) {
      fused = push;
      fused->op = Fused(push.op, op.op);
    }
    return fused;
  });
  // A variable pushed just before such an operator becomes its left operand.
  FusePairs(program.code, [](const Instruction& push, const Instruction& op) {
    std::optional<Instruction> fused;
    if (push.op == Op::kVar && FusedWithVariable(op.op) != op.op) {
      fused = op;
      fused->op = FusedWithVariable(op.op);
      fused->b = op.a;  // the right variable, when there is one
      fused->a = push.a;
    }
    return fused;
  });
}

}  // namespace brindle
