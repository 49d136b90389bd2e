// The run sequence: tokenize, pre-check, run the main part, then serve window events until
// the window closes.
#pragma once

#include <cstdint>
#include <optional>

namespace brindle {

struct Interpreter;

struct RunOptions {
  bool check_only = false;             // stop after the pre-pass
  std::optional<uint32_t> clock_seed;  // RAND's seed; the platform's clock when absent
};

// Runs the script already in in.source; returns the process exit status.
int RunProgram(Interpreter& in, const RunOptions& options);

}  // namespace brindle
