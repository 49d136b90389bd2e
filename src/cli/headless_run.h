// A run with no window: the transcript on standard output, the pictures and the GIF written
// when it ends, however it ends; with --dump, then the code the run compiled.
#pragma once

#include <string>

#include "host/command_line.h"
#include "platform/headless/timeline.h"

namespace brindle::cli {

// Runs the script; returns the exit status.
int RunHeadless(const CommandLine& cl, std::string text, Timeline timeline);

}  // namespace brindle::cli
