// The script cases of tests/scripts, as the tests that run them read them: NAME.bas with
// NAME.expect, NAME.meta and optionally NAME.events and NAME.pixels.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brindle::testing {

std::string ReadAll(const std::filesystem::path& path);

// NAME.meta: "mode check|headless", "exit N", and "args ..." (options before the script).
struct Meta {
  std::string mode = "headless";
  int exit_status = 0;
  std::vector<std::string> args;
};
Meta ReadMeta(const std::filesystem::path& path);

// The cases' names, sorted.
std::vector<std::string> CaseNames();

}  // namespace brindle::testing
