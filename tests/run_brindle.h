// Runs the real brindle binary, as a user would, and captures what it prints.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace brindle::testing {

struct ProcessResult {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when the process did not exit normally
  bool timed_out = false;
};

struct SpawnOptions {
  std::string cwd;          // empty: this process's directory
  std::string stdout_path;  // empty: standard output is captured into ProcessResult::out
  std::chrono::milliseconds timeout{0};  // 0: none; a run past it is killed
  // 0: none; else the address space the run may use, so that allocations fail long before
  // the machine runs short. (Tests that set it skip under AddressSanitizer.)
  size_t memory_limit = 0;
  // 0: none; else the largest file the run may write (RLIMIT_FSIZE).
  size_t file_size_limit = 0;
  // Standard output is a pipe that nobody reads: its reading end is closed before the run
  // starts, so every write fails with EPIPE (as after `| head -1`).
  bool stdout_unread = false;
  // empty: standard input is /dev/null; else the file it reads.
  std::string stdin_path;
  // "NAME=value" entries added to this process's environment for the run.
  std::vector<std::string> environment;
};

// A path in the temporary folder for the name, with this process's id in it: other checkouts
// may run the same tests at the same time, in the same folder.
std::filesystem::path TempPath(const std::string& name);

// Runs BRINDLE_BINARY with the arguments, in the directory cwd (when not empty).
ProcessResult RunBrindle(const std::vector<std::string>& args, const std::string& cwd = "");
ProcessResult RunBrindle(const std::vector<std::string>& args, const SpawnOptions& options);

// Starts BRINDLE_BINARY with standard output going to the file and standard error discarded;
// the caller ends and reaps the process.
pid_t StartBrindle(const std::vector<std::string>& args, const std::string& stdout_path);

}  // namespace brindle::testing
