// A script and an events timeline, separated by the first zero byte (a script holding one
// fails in the tokenizer anyway, so nothing is lost): the timeline is parsed and, when it is
// well formed, drives the run headless, on the fast and on the slow paths, which must agree.
// Screenshot lines are dropped, so that no case writes files. The core is built with a step
// budget and a small string limit in this build.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "both_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = std::min(input.find('\0'), input.size());
  brindle::Timeline timeline = brindle::ParseTimeline(
      std::string(split < input.size() ? input.substr(split + 1) : std::string_view()));
  if (!timeline.error.empty()) return 0;
  std::erase_if(timeline.lines, [](const brindle::TimelineLine& line) {
    return line.kind == brindle::TimelineLine::Kind::kScreenshot;
  });
  const brindle::SourceFile source{"fuzz.bas", std::string(input.substr(0, split))};
  brindle::fuzzing::RunBothWays(source, timeline);
  return 0;
}
