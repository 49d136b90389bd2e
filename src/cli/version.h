// brindle --version: the version and the commit it was built from.
#pragma once

#include <string>

namespace brindle::cli {

// "brindle 0.1.0 (commit abc1234)", the commit "unknown" when the build had no git to ask.
std::string VersionLine();

}  // namespace brindle::cli
