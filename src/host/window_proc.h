// The window procedure: repaints, records event values for the script, and starts the
// script's handler blocks.
#pragma once

#include "platform/platform.h"

namespace brindle {

struct Interpreter;

// Thrown when the window is closed: the process ends, also in the middle of a run.
struct WindowClosed {};

class WindowProcedure : public EventSink {
 public:
  explicit WindowProcedure(Interpreter& in) : in_(in) {}
  void Dispatch(const WindowEvent& event) override;

 private:
  void RunHandler(int entry);
  Interpreter& in_;
};

}  // namespace brindle
