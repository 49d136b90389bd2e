// The stack machine that runs compiled expressions.
#pragma once

#include <string>

#include "expr/program.h"
#include "host/interpreter.h"

namespace brindle {

// Runs the program with stacks of at least number_depth and text_depth entries; the value is
// left at the bottom of its stack.
void RunExpression(Interpreter& in, const Program& program, float* numbers, std::string* texts);

}  // namespace brindle
