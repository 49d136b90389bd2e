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

// The stages in order. In a window, events keep running handlers while a box is open, the
// pre-pass's boxes included: a handler recorded before a pre-pass fault that abandons its run
// there goes on at the message loop, as any abandoned run does.
void RunStages(Interpreter& in, const RunOptions& options, WindowProcedure& window_proc) {
  if (!RunTokenizer(in)) {
    in.outcome.front_end_failed = true;
    ShowMessage(in, msg::ProgramExit());
    return;
  }
  bool passed = false;
  try {
    passed = PrePass(in);
    if (!passed) {
      in.outcome.front_end_failed = true;
      ShowMessage(in, msg::ProgramExit());
    }
  } catch (const RunAbandoned&) {
    in.outcome.front_end_failed = true;
  }
  if (options.check_only) return;

  PrepareRun(in);
  if (passed) {
    try {
      ExecuteTokens(in);
    } catch (const RunAbandoned&) {
    }
  }
  // Handlers recorded before a pre-pass fault still run on their events.
  MessageLoop(in, window_proc);
}

}  // namespace

// A window closed at any point, while a box is open too, ends the program.
int RunProgram(Interpreter& in, const RunOptions& options) {
  WindowProcedure window_proc(in);
  in.platform.SetEventSink(&window_proc);
  in.window_proc = &window_proc;
  in.random.clock_seed = options.clock_seed.value_or(in.platform.MillisecondClock());
  try {
    RunStages(in, options, window_proc);
  } catch (const WindowClosed&) {
  }
  return in.outcome.ExitStatus();
}

}  // namespace brindle
