// `brindle --dump`: what a run compiled, read from the interpreter's caches once the run has
// ended, in source order. Nothing here runs while the script does.
#pragma once

#include <string>

#include "runtime/interpreter.h"

namespace brindle {

// Every compiled expression (its rule, where it starts, its stack code and three-address code),
// every WHILE head and every region, grouped by the source line they start on.
std::string DumpCompiledCode(const Interpreter& in);

}  // namespace brindle
