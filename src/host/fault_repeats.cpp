#include "host/fault_repeats.h"

#include <algorithm>

namespace brindle {

void FaultRepeats::Report(const std::string& line) {
  const auto it =
      std::find_if(seen_.begin(), seen_.end(), [&line](const Seen& s) { return s.line == line; });
  if (it != seen_.end()) {
    ++it->again;
    return;
  }
  if (seen_.size() < kMaxRemembered) seen_.push_back({line});
  sink_(line);
}

void FaultRepeats::Flush() {
  for (const Seen& s : seen_) {
    if (s.again == 0) continue;
    sink_(s.line + " (again " + std::to_string(s.again) + (s.again == 1 ? " time)" : " times)"));
  }
  seen_.clear();
}

}  // namespace brindle
