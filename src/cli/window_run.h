// A run in the desktop window: once, recorded (--record), or again at every save (--watch).
#pragma once

#include "host/command_line.h"

namespace brindle::cli {

// Runs the script; closing the window ends the program with status 0.
int RunInWindow(const CommandLine& cl);

}  // namespace brindle::cli
