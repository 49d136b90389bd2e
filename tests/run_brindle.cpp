#include "run_brindle.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace brindle::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Reads the pipes until they close, so a child that writes a lot cannot block, and closes
// them. False when the deadline passed first.
bool Drain(std::vector<int> fds, std::vector<std::string*> outs, Clock::time_point deadline) {
  std::vector<pollfd> polled;
  for (const int fd : fds) polled.push_back({fd, POLLIN, 0});
  size_t open = fds.size();
  char buffer[65536];
  while (open > 0) {
    int wait_ms = -1;
    if (deadline != Clock::time_point::max()) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) {
        for (const pollfd& p : polled) {
          if (p.fd >= 0) close(p.fd);
        }
        return false;
      }
      wait_ms = static_cast<int>(left.count());
    }
    if (poll(polled.data(), polled.size(), wait_ms) < 0) break;
    for (size_t i = 0; i < polled.size(); ++i) {
      if (polled[i].fd < 0 || polled[i].revents == 0) continue;
      const ssize_t n = read(polled[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(polled[i].fd);
        polled[i].fd = -1;
        --open;
      } else {
        outs[i]->append(buffer, static_cast<size_t>(n));
      }
    }
  }
  return true;
}

std::vector<std::string> Argv(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {BRINDLE_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// This process's environment with the additions. getenv finds the first entry of a name, so
// the additions go before the inherited entries they override.
std::vector<std::string> Environment(const std::vector<std::string>& additions) {
  std::vector<std::string> all = additions;
  for (char** e = environ; *e != nullptr; ++e) all.emplace_back(*e);
  return all;
}

pid_t Spawn(const std::vector<std::string>& args, posix_spawn_file_actions_t& actions,
            const std::vector<std::string>& environment = {}) {
  std::vector<std::string> argv_storage = Argv(args);
  std::vector<char*> argv = Pointers(argv_storage);
  std::vector<std::string> env_storage = Environment(environment);
  std::vector<char*> env = Pointers(env_storage);
  pid_t pid = -1;
  if (posix_spawn(&pid, BRINDLE_BINARY, &actions, nullptr, argv.data(), env.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// posix_spawn cannot set a resource limit; between fork and exec only async-signal-safe calls.
pid_t ForkWithLimits(const std::vector<std::string>& args, const SpawnOptions& options, int out_fd,
                     int err_fd) {
  std::vector<std::string> argv_storage = Argv(args);
  std::vector<char*> argv = Pointers(argv_storage);
  std::vector<std::string> env_storage = Environment(options.environment);
  std::vector<char*> env = Pointers(env_storage);
  const int null_fd = open(options.stdin_path.empty() ? "/dev/null" : options.stdin_path.c_str(),
                           O_RDONLY | O_CLOEXEC);
  const pid_t pid = fork();
  if (pid == 0) {
    const rlimit memory = {options.memory_limit, options.memory_limit};
    const rlimit file_size = {options.file_size_limit, options.file_size_limit};
    if ((options.memory_limit > 0 && setrlimit(RLIMIT_AS, &memory) != 0) ||
        (options.file_size_limit > 0 && setrlimit(RLIMIT_FSIZE, &file_size) != 0) ||
        dup2(null_fd, 0) < 0 || dup2(err_fd, 2) < 0 ||
        (options.stdout_path.empty() && dup2(out_fd, 1) < 0) ||
        (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0)) {
      _exit(127);
    }
    if (!options.stdout_path.empty()) {
      const int file = open(options.stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (file < 0 || dup2(file, 1) < 0) _exit(127);
    }
    execve(BRINDLE_BINARY, argv.data(), env.data());
    _exit(127);
  }
  close(null_fd);
  return pid;
}

pid_t SpawnWithPipes(const std::vector<std::string>& args, const SpawnOptions& options, int out_fd,
                     int err_fd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (options.stdout_path.empty()) {
    posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, options.stdout_path.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  posix_spawn_file_actions_adddup2(&actions, err_fd, 2);
  posix_spawn_file_actions_addopen(
      &actions, 0, options.stdin_path.empty() ? "/dev/null" : options.stdin_path.c_str(), O_RDONLY,
      0);
  if (!options.cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.cwd.c_str());
  return Spawn(args, actions, options.environment);
}

}  // namespace

std::filesystem::path TempPath(const std::string& name) {
  return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
}

ProcessResult RunBrindle(const std::vector<std::string>& args, const std::string& cwd) {
  SpawnOptions options;
  options.cwd = cwd;
  return RunBrindle(args, options);
}

ProcessResult RunBrindle(const std::vector<std::string>& args, const SpawnOptions& options) {
  int out_pipe[2], err_pipe[2];
  if (pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0) std::abort();
  if (options.stdout_unread) close(out_pipe[0]);
  const pid_t pid = options.memory_limit > 0 || options.file_size_limit > 0
                        ? ForkWithLimits(args, options, out_pipe[1], err_pipe[1])
                        : SpawnWithPipes(args, options, out_pipe[1], err_pipe[1]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  ProcessResult result;
  if (pid < 0) {
    if (!options.stdout_unread) close(out_pipe[0]);
    close(err_pipe[0]);
    result.err = "cannot start " BRINDLE_BINARY;
    return result;
  }
  const Clock::time_point deadline =
      options.timeout.count() > 0 ? Clock::now() + options.timeout : Clock::time_point::max();
  const bool drained = options.stdout_unread ? Drain({err_pipe[0]}, {&result.err}, deadline)
                                             : Drain({out_pipe[0], err_pipe[0]},
                                                     {&result.out, &result.err}, deadline);
  if (!drained) {
    result.timed_out = true;
    kill(pid, SIGKILL);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  result.status = WIFEXITED(wstatus) && !result.timed_out ? WEXITSTATUS(wstatus) : -1;
  return result;
}

pid_t StartBrindle(const std::vector<std::string>& args, const std::string& stdout_path) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  return Spawn(args, actions);
}

}  // namespace brindle::testing
