// The stack machine that runs compiled expressions.
#pragma once

#include <string>

#include "expr/program.h"
#include "runtime/interpreter.h"

namespace brindle {

// The stack machine: runs the program with stacks of at least number_depth and text_depth
// entries; the value is left at the bottom of its stack. With first_pushed, the caller has
// already put the value of the program's first instruction (a text) at the bottom of the text
// stack.
void RunStackCode(Interpreter& in, const Program& program, float* numbers, std::string* texts,
                  bool first_pushed = false);

// The three-address machines; each returns the code's value. The pure machine knows only
// arithmetic and comparisons, and so needs no interpreter and saves no registers.
float RunPureCode(const DirectInstruction* code);
float RunCodeWithInterpreter(Interpreter& in, const DirectInstruction* code);
inline float RunThreeAddress(Interpreter& in, const DirectInstruction* code, bool pure) {
  return pure ? RunPureCode(code) : RunCodeWithInterpreter(in, code);
}
inline float RunThreeAddress(Interpreter& in, const DirectProgram& program) {
  return RunThreeAddress(in, program.code.data(), program.pure);
}

}  // namespace brindle
