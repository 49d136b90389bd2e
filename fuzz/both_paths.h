// Runs a fuzz case as usual and then on the slow paths (no caches, fusions or shortcuts), and
// aborts, which the fuzzer reports as a crash, when the two runs differ in their exit status,
// transcript or final picture. A run that the step budget ended is not compared: the fast
// paths take fewer steps, so the budget ends the two runs at different points. Since the slow
// run takes at least the fast run's steps, it is not even started when the fast one ran out.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "host/driver.h"
#include "platform/headless/headless.h"
#include "platform/headless/timeline.h"

namespace brindle::fuzzing {

struct RunResult {
  int status = 0;
  std::string transcript;
  std::vector<ColorRef> picture;
  bool out_of_steps = false;
};

inline RunResult RunOneWay(const SourceFile& source, const Timeline& timeline, bool slow) {
  RunResult result;
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* transcript = open_memstream(&buffer, &size);
  if (transcript == nullptr) std::abort();
  {
    HeadlessPlatform platform(transcript, timeline);
    RunOptions options;
    options.slow_paths = slow;
    options.out_of_steps = &result.out_of_steps;
    result.status = RunProgram(platform, source, options);
    platform.Flush();
    result.picture = platform.Screenshot();
  }
  std::fclose(transcript);
  result.transcript.assign(buffer, size);
  std::free(buffer);
  return result;
}

inline void RunBothWays(const SourceFile& source, const Timeline& timeline) {
  const RunResult fast = RunOneWay(source, timeline, false);
  if (fast.out_of_steps) return;
  const RunResult slow = RunOneWay(source, timeline, true);
  if (slow.out_of_steps) return;
  if (fast.status != slow.status || fast.transcript != slow.transcript ||
      fast.picture != slow.picture) {
    std::fprintf(stderr, "the fast and the slow paths differ\n--- fast:\n%s--- slow:\n%s",
                 fast.transcript.c_str(), slow.transcript.c_str());
    std::abort();
  }
}

}  // namespace brindle::fuzzing
