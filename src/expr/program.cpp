// What a compiled program needs from the machine, read off the opcode table.
#include "expr/program.h"

#include <algorithm>
#include <cassert>

namespace brindle {
namespace {

int Resolve(int8_t count, const Instruction& i) {
  switch (count) {
    case kPresentInB:
      return ((i.b & 1) != 0) + ((i.b & 2) != 0);
    case kCountInB:
      return i.b;
    case kCountInC:
      return i.c;
    default:
      return count;
  }
}

}  // namespace

// Measured on the code as it will run: fusing only ever lowers the depths.
void MeasureDepths(Program& program) {
  int numbers = 0, texts = 0;
  program.number_depth = program.text_depth = 0;
  for (const Instruction& i : program.code) {
    const OpFacts& facts = FactsOf(i.op);
    numbers += Resolve(facts.numbers_pushed, i) - Resolve(facts.numbers_popped, i);
    texts += Resolve(facts.texts_pushed, i) - Resolve(facts.texts_popped, i);
    assert(numbers >= 0 && texts >= 0);
    program.number_depth = std::max(program.number_depth, numbers);
    program.text_depth = std::max(program.text_depth, texts);
  }
}

void FindTakenVariable(Program& program) {
  const std::vector<Instruction>& code = program.code;
  program.takes_var = 0;
  if (code.empty() || code[0].op != Op::kStrVar) return;
  const int32_t var = code[0].a;
  for (size_t k = 1; k < code.size(); ++k) {
    const OpFacts& facts = FactsOf(code[k].op);
    if ((facts.reads_str_var && code[k].a == var) || facts.may_end_run) return;
  }
  program.takes_var = var;
}

}  // namespace brindle
