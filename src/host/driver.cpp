#include "host/driver.h"

#include <memory>

#include "exec/block_cache.h"
#include "exec/executor.h"
#include "frontend/tokenizer.h"
#include "host/fault_repeats.h"
#include "host/window_proc.h"
#include "lang/messages.h"
#include "prepass/prepass.h"
#include "runtime/faults.h"
#include "runtime/interpreter.h"

namespace brindle {
namespace {

// Tokenizes the source and shows the statistics (unless quiet) or the fault. True when the
// source is usable: no fault and at least one line end.
bool RunTokenizer(Interpreter& in, TokenTable& tokens, std::string_view source, bool quiet) {
  TokenizeResult result = Tokenize(source, tokens);
  if (result.error != TokenizerError::kNone) {
    if (in.report_fault) {
      in.report_fault(
          TokenizerFaultLine(in.script_path, source, result.fault_offset, *result.fault));
    }
    ShowMessage(in, *result.fault);
  } else {
    // The box only informs: no event is taken headless, and in a window the script has no
    // handler yet for what arrives while it is open.
    if (!quiet) ShowMessage(in, msg::TokenStatistics(result.token_count, tokens.line_count));
    tokens.count = result.token_count;
    if (tokens.line_count > 0) return true;
  }
  ShowMessage(in, msg::TokenizerTerminated());
  return false;
}

// The main run, or a handler run, abandoned after a fatal fault goes on here.
[[noreturn]] void MessageLoop(Interpreter& in, WindowProcedure& window_proc) {
  for (;;) {
    if (in.observer != nullptr) in.observer->Idle(in);
    const WindowEvent event = in.platform.WaitEvent();
    try {
      window_proc.Dispatch(event);
    } catch (const RunAbandoned&) {
    }
  }
}

// Tokenize, pre-check, the main run if the script passed, then the window's events until the
// window closes. In a window, events keep running handlers while a message box is open, so a
// handler recorded before a pre-check fault can run (and be abandoned) while that fault is shown.
void RunStages(Interpreter& in, ScriptImage& image, const SourceFile& source,
               const RunOptions& options, WindowProcedure& window_proc) {
  if (!RunTokenizer(in, image.tokens, source.text, options.quiet)) {
    in.outcome.front_end_failed = true;
    ShowMessage(in, msg::ProgramExit());
    return;
  }
  Fault fault = PrePass({image.tokens, image.symbols, image.blocks});
  if (!options.check_only) ComputeTokenFacts(image.tokens, image.symbols, image.facts);
  if (fault) {
    in.outcome.front_end_failed = true;
    if (in.report_fault) {
      in.report_fault(PreCheckFaultLine(source.path, source.text, image.tokens, *fault));
      if (options.fault_notes) {
        for (const std::string& note : options.fault_notes(source, image.tokens, *fault)) {
          in.report_fault(note);
        }
      }
    }
    try {
      ShowMessage(in, std::move(*fault));
      ShowMessage(in, msg::ProgramExit());
    } catch (const RunAbandoned&) {
    }
  }
  if (options.check_only) return;
  if (!fault) {
    if (in.observer != nullptr) in.observer->Started(in, image);
    try {
      ExecuteTokens(in);
    } catch (const RunAbandoned&) {
    }
  }
  // Handlers recorded before a pre-check fault still run on their events.
  MessageLoop(in, window_proc);
}

}  // namespace

int RunProgram(Platform& platform, const SourceFile& source, const RunOptions& options) {
  // The host alone writes the image; the runs see it through a const reference.
  auto image = std::make_unique<ScriptImage>();
  auto in = std::make_unique<Executor>(*image, platform, source.path);
  WindowProcedure window_proc(*in);
  platform.SetEventSink(&window_proc);
  in->window_proc = &window_proc;
  in->random.clock_seed = options.clock_seed.value_or(platform.MillisecondClock());
  in->slow_paths = options.slow_paths;
  in->each_statement = options.each_statement || options.observer != nullptr;
  in->observer = options.observer;
  in->source = source.text;
  FaultRepeats faults(options.report_fault);
  // The counts are written however the run ends, one that runs out of memory included.
  const struct FlushAtEnd {
    FaultRepeats& faults;
    ~FlushAtEnd() {
      try {
        faults.Flush();
      } catch (...) {
      }
    }
  } flush_at_end{faults};
  if (options.report_fault) {
    in->report_fault = [&faults](const std::string& line) { faults.Report(line); };
  }
  in->stop_on_error = options.stop_on_error;
  try {
    RunStages(*in, *image, source, options, window_proc);
  } catch (const WindowClosed&) {
    // Closing the window ends the program wherever it is, a message box included.
  } catch (const StoppedOnError&) {
  }
  platform.SetEventSink(nullptr);
  if (options.after_run) options.after_run(*in);
#ifdef BRINDLE_STEP_BUDGET
  if (options.out_of_steps != nullptr)
    *options.out_of_steps = in->steps_taken > BRINDLE_STEP_BUDGET;
#endif
  return in->outcome.ExitStatus();
}

}  // namespace brindle
