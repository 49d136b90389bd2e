#include "cli/version.h"

namespace brindle::cli {

// Defined in the source the build writes (cmake/Commit.cmake), which changes with each commit:
// only it is compiled again.
extern const char* const kBuildCommit;

std::string VersionLine() {
  return std::string("brindle " BRINDLE_VERSION " (commit ") + kBuildCommit + ")\n";
}

}  // namespace brindle::cli
