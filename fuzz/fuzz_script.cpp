// Arbitrary bytes as a script: tokenized, pre-checked and run headless. The core is built
// with a step budget in this build, so endless loops end the case.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/driver.h"
#include "host/interpreter.h"
#include "platform/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brindle::HeadlessPlatform platform(nullptr);
  brindle::Interpreter in(platform);
  in.source.text.assign(reinterpret_cast<const char*>(data), size);
  brindle::RunProgram(in, brindle::RunOptions{});
  return 0;
}
