// The window procedure: repaints, records event values for the script, and starts the
// script's handler blocks.
#pragma once

#include "platform/platform.h"
#include "runtime/faults.h"

namespace brindle {

struct Interpreter;

class WindowProcedure : public EventSink {
 public:
  explicit WindowProcedure(Interpreter& in) : in_(in) {}
  void Dispatch(const WindowEvent& event) override;
  bool HandlesTimer() const override;

 private:
  void RunHandler(int entry);
  Interpreter& in_;
};

}  // namespace brindle
