// Input the window took while no handler could run for it (message boxes nested as deep as
// they may go), kept in the order it came for when one can.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "platform/platform.h"

namespace brindle {

class KeptInput {
 public:
  // Enough for minutes of typing and clicking behind the deepest box; a run of moves takes
  // one place. Past it the newest input is the one dropped:
  // the program then gets what the user did first, in order and unbroken up to the cut, as a
  // full keyboard buffer or message queue does. Dropping the oldest instead would start it
  // in the middle of whatever the user was doing.
  static constexpr size_t kMostKept = 4096;

  // A move right behind a kept move takes its place: the window keeps one move pending, not
  // a queue of them, wherever the input waits.
  void Keep(const WindowEvent& event);
  // The oldest kept, which is no longer kept; nothing when none is.
  std::optional<WindowEvent> Take();
  void Clear() { events_.clear(); }
  bool empty() const { return events_.empty(); }
  size_t size() const { return events_.size(); }

 private:
  std::deque<WindowEvent> events_;
};

}  // namespace brindle
