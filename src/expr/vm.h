// The stack machine that runs compiled expressions.
#pragma once

#include <string>

#include "expr/program.h"
#include "runtime/interpreter.h"

namespace brindle {

// Runs the program with stacks of at least number_depth and text_depth entries; the value is
// left at the bottom of its stack. With
// first_pushed, the caller has already put the value of the program's first instruction (a text) at
// the bottom of the text stack.
void RunExpression(Interpreter& in, const Program& program, float* numbers, std::string* texts,
                   bool first_pushed = false);

// Run three-address code; each returns its value. The pure machine knows only arithmetic and
// comparisons, and so needs no interpreter and saves no registers.
float RunPureCode(const DirectInstruction* code);
float RunCode(Interpreter& in, const DirectInstruction* code);
inline float RunDirect(Interpreter& in, const DirectProgram& program) {
  return program.pure ? RunPureCode(program.code.data()) : RunCode(in, program.code.data());
}

}  // namespace brindle
