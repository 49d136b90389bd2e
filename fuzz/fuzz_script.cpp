// Arbitrary bytes as a script: tokenized, pre-checked and run headless. The core is built
// with a step budget in this build, so endless loops end the case.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/driver.h"
#include "platform/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brindle::HeadlessPlatform platform(nullptr);
  const brindle::SourceFile source{"fuzz.bas",
                                   std::string(reinterpret_cast<const char*>(data), size)};
  brindle::RunProgram(platform, source, brindle::RunOptions{});
  return 0;
}
