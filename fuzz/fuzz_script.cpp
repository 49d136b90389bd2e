// Arbitrary bytes as a script: tokenized, pre-checked and run headless, both on the fast and
// on the slow paths, which must agree. The core is built with a step budget in this build, so
// endless loops end the case.
#include <cstddef>
#include <cstdint>
#include <string>

#include "both_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const brindle::SourceFile source{"fuzz.bas",
                                   std::string(reinterpret_cast<const char*>(data), size)};
  brindle::fuzzing::RunBothWays(source, brindle::Timeline{});
  return 0;
}
