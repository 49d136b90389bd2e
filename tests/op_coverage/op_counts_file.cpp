// Writes the machines' operation counts (runtime/op_counts.h) at exit, in a build that counts
// them, when BRINDLE_OP_COUNTS_FILE names a file: a line "machine path operation count" for
// every operation of every machine, run or not, so that the file itself lists what there is
// to run. The lines go in one append, so that test processes running at once never mix them.
#ifdef BRINDLE_OP_COUNTS

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "exec/region.h"
#include "expr/direct.h"
#include "expr/opcodes.h"
#include "runtime/op_counts.h"

namespace brindle {

uint64_t g_op_counts[kOpMachines][2][kMostMachineOps] = {};

namespace {

#define BRINDLE_NAME_FIRST(name, ...) #name,
constexpr const char* kStackOps[] = {BRINDLE_OPCODES(BRINDLE_NAME_FIRST)};
constexpr const char* kDirectOps[] = {BRINDLE_DIRECT_OPS(BRINDLE_NAME_FIRST)};
constexpr const char* kChainOps[] = {BRINDLE_CHAIN_OPS(BRINDLE_NAME_FIRST)};
constexpr const char* kHeadOps[] = {BRINDLE_HEAD_OPS(BRINDLE_NAME_FIRST)};
constexpr const char* kRegionOps[] = {BRINDLE_REGION_OPS(BRINDLE_NAME_FIRST)};
#undef BRINDLE_NAME_FIRST

static_assert(std::size(kStackOps) <= kMostMachineOps && std::size(kDirectOps) <= kMostMachineOps &&
              std::size(kRegionOps) <= kMostMachineOps);

struct MachineOps {
  const char* name;
  OpMachine machine;
  bool both_paths;  // counted on the slow paths as well
  std::span<const char* const> ops;
  bool (*has)(int op);  // null: every operation of the list
};

bool PureOnly(int op) {
  return IsPure(static_cast<DirectOp>(op));
}

const MachineOps kMachines[] = {
    {"stack", OpMachine::kStack, true, kStackOps, nullptr},
    {"pure-code", OpMachine::kPureCode, false, kDirectOps, PureOnly},
    {"code", OpMachine::kCode, false, kDirectOps, nullptr},
    {"chain", OpMachine::kChain, false, kChainOps, nullptr},
    {"while-head", OpMachine::kWhileHead, true, kHeadOps, nullptr},
    {"region", OpMachine::kRegion, false, kRegionOps, nullptr},
};

std::string CountLines() {
  std::string lines;
  for (const MachineOps& m : kMachines) {
    for (int slow = 0; slow <= (m.both_paths ? 1 : 0); ++slow) {
      for (size_t op = 0; op < m.ops.size(); ++op) {
        if (m.has != nullptr && !m.has(static_cast<int>(op))) continue;
        const uint64_t count = g_op_counts[static_cast<int>(m.machine)][slow][op];
        lines += std::string(m.name) + (slow ? " slow " : " fast ") + m.ops[op] + ' ' +
                 std::to_string(count) + '\n';
      }
    }
  }
  return lines;
}

void WriteCounts() {
  const char* path = std::getenv("BRINDLE_OP_COUNTS_FILE");
  if (path == nullptr || *path == '\0') return;
  // A file size limit is a test's, for the files the program writes; the counts would not fit.
  rlimit limit;
  if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) return;
  const std::string lines = CountLines();
  const int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  const bool written =
      fd >= 0 && write(fd, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
  if (fd >= 0) close(fd);
  // The gate must not pass on counts that went missing.
  if (!written) {
    std::fprintf(stderr, "brindle: cannot append the operation counts to %s: %s\n", path,
                 std::strerror(errno));
    std::abort();
  }
}

struct WriteAtExit {
  ~WriteAtExit() { WriteCounts(); }
} write_at_exit;

}  // namespace
}  // namespace brindle

#endif
