#include "platform/kept_input.h"

namespace brindle {

using Type = WindowEvent::Type;

void KeptInput::Keep(const WindowEvent& event) {
  if (event.type == Type::kMouseMove && !events_.empty() &&
      events_.back().type == Type::kMouseMove) {
    events_.back() = event;
    return;
  }
  if (events_.size() < kMostKept) events_.push_back(event);
}

std::optional<WindowEvent> KeptInput::Take() {
  if (events_.empty()) return std::nullopt;
  WindowEvent oldest = events_.front();
  events_.pop_front();
  return oldest;
}

}  // namespace brindle
