#include "expr/program.h"

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

}  // namespace

void Optimize(Program& program) {
  std::vector<Instruction>& code = program.code;
  std::vector<Instruction> out;
  out.reserve(code.size());
  for (size_t k = 0; k < code.size(); ++k) {
    const Instruction& i = code[k];
    const bool push = i.op == Op::kVar || i.op == Op::kNumber;
    if (push && k + 1 < code.size() && Fused(i.op, code[k + 1].op) != code[k + 1].op) {
      Instruction fused = i;
      fused.op = Fused(i.op, code[k + 1].op);
      out.push_back(fused);
      ++k;
    } else {
      out.push_back(i);
    }
  }
  code = std::move(out);
}

void FindTakenVariable(Program& program) {
  const std::vector<Instruction>& code = program.code;
  program.takes_var = 0;
  if (code.empty() || code[0].op != Op::kStrVar) return;
  const int32_t var = code[0].a;
  for (size_t k = 1; k < code.size(); ++k) {
    const Instruction& i = code[k];
    const bool reads_text_var =
        i.op == Op::kStrVar || i.op == Op::kLeft || i.op == Op::kRight || i.op == Op::kMid;
    if ((reads_text_var && i.a == var) || i.op == Op::kTypeError) return;
  }
  program.takes_var = var;
}

}  // namespace brindle
