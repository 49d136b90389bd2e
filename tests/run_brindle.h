// Runs the real brindle binary, as a user would, and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace brindle::testing {

struct ProcessResult {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when the process did not exit normally
};

// Runs BRINDLE_BINARY with the arguments, in the directory cwd (when not empty).
ProcessResult RunBrindle(const std::vector<std::string>& args, const std::string& cwd = "");

}  // namespace brindle::testing
