// The terminal's lines of the faults a run shows. A handler that the timer runs again meets the
// same fault at the same place on every tick; its line is written the first time, and the
// repeats become one line with their count when the run ends, so that the terminal keeps room
// for the faults that differ.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace brindle {

class FaultRepeats {
 public:
  using Sink = std::function<void(const std::string&)>;
  explicit FaultRepeats(Sink sink) : sink_(std::move(sink)) {}

  // Writes a line seen for the first time; counts one seen before.
  void Report(const std::string& line);
  // Writes "LINE (again N times)" for each line that came again, in the order the lines first
  // came, and starts counting afresh.
  void Flush();

  // So many different lines are remembered; the ones after them are written every time.
  static constexpr size_t kMaxRemembered = 256;

 private:
  struct Seen {
    std::string line;
    long again = 0;
  };
  Sink sink_;
  std::vector<Seen> seen_;
};

}  // namespace brindle
