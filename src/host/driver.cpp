#include "host/driver.h"

#include "exec/executor.h"
#include "frontend/tokenizer.h"
#include "host/interpreter.h"
#include "host/messages.h"
#include "host/window_proc.h"
#include "prepass/prepass.h"

namespace brindle {
namespace {

// The main run, or a handler run, abandoned after a fatal fault goes on here.
void MessageLoop(Interpreter& in, WindowProcedure& window_proc) {
  for (;;) {
    const WindowEvent event = in.platform.WaitEvent();
    try {
      window_proc.Dispatch(event);
    } catch (const RunAbandoned&) {
    }
  }
}

}  // namespace

int RunProgram(Interpreter& in, const RunOptions& options) {
  WindowProcedure window_proc(in);
  in.platform.SetEventSink(&window_proc);
  in.window_proc = &window_proc;
  in.random.clock_seed = options.clock_seed.value_or(in.platform.MillisecondClock());

  if (!RunTokenizer(in)) {
    in.outcome.front_end_failed = true;
    ShowMessage(in, msg::ProgramExit());
    return in.outcome.ExitStatus();
  }
  const bool passed = PrePass(in);
  if (!passed) {
    in.outcome.front_end_failed = true;
    ShowMessage(in, msg::ProgramExit());
  }
  if (options.check_only) return in.outcome.ExitStatus();

  PrepareRun(in);
  try {
    if (passed) {
      try {
        ExecuteTokens(in);
      } catch (const RunAbandoned&) {
      }
    }
    // Handlers recorded before a pre-pass fault still run on their events.
    MessageLoop(in, window_proc);
  } catch (const WindowClosed&) {
  }
  return in.outcome.ExitStatus();
}

}  // namespace brindle
