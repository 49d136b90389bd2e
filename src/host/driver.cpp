#include "host/driver.h"

#include <memory>

#include "exec/executor.h"
#include "exec/loop_head.h"
#include "expr/expr_cache.h"
#include "frontend/tokenizer.h"
#include "host/window_proc.h"
#include "lang/messages.h"
#include "prepass/prepass.h"
#include "runtime/faults.h"
#include "runtime/interpreter.h"

namespace brindle {
namespace {

// Tokenizes the source and shows the statistics or the fault. True when the source is usable:
// no fault and at least one line end.
bool RunTokenizer(Interpreter& in, TokenTable& tokens, std::string_view source) {
  TokenizeResult result = Tokenize(source, tokens);
  if (result.error != TokenizerError::kNone) {
    ShowMessage(in, *result.fault);
  } else {
    ShowMessage(in, msg::TokenStatistics(result.token_count, tokens.line_count));
    tokens.count = result.token_count;
    if (tokens.line_count > 0) return true;
  }
  ShowMessage(in, msg::TokenizerTerminated());
  return false;
}

// Runs the pre-check and shows its fault. True when the script passed.
bool RunPrePass(Interpreter& in, ScriptImage& image) {
  Fault fault = PrePass({image.tokens, image.symbols, image.blocks});
  if (!fault) return true;
  ShowMessage(in, std::move(*fault));
  return false;
}

// The main run, or a handler run, abandoned after a fatal fault goes on here.
[[noreturn]] void MessageLoop(Interpreter& in, WindowProcedure& window_proc) {
  for (;;) {
    const WindowEvent event = in.platform.WaitEvent();
    try {
      window_proc.Dispatch(event);
    } catch (const RunAbandoned&) {
    }
  }
}

// What the script does once it has been read: the main run if it passed the pre-check, then
// the window's events until the window closes.
void Run(Interpreter& in, WindowProcedure& window_proc, bool passed) {
  try {
    if (passed) {
      try {
        ExecuteTokens(in);
      } catch (const RunAbandoned&) {
      }
    }
    // Handlers recorded before a pre-check fault still run on their events.
    MessageLoop(in, window_proc);
  } catch (const WindowClosed&) {
  }
}

}  // namespace

int RunProgram(Platform& platform, const SourceFile& source, const RunOptions& options) {
  // The host alone writes the image; the runs see it through a const reference.
  auto image = std::make_unique<ScriptImage>();
  auto exprs = std::make_unique<ExprCache>();
  auto loop_heads = std::make_unique<LoopHeads>();
  auto in = std::make_unique<Interpreter>(*image, *exprs, *loop_heads, platform, source.path);
  WindowProcedure window_proc(*in);
  platform.SetEventSink(&window_proc);
  in->window_proc = &window_proc;
  in->random.clock_seed = options.clock_seed.value_or(platform.MillisecondClock());
  in->slow_paths = options.slow_paths;

  if (!RunTokenizer(*in, image->tokens, source.text)) {
    in->outcome.front_end_failed = true;
    ShowMessage(*in, msg::ProgramExit());
    return in->outcome.ExitStatus();
  }
  const bool passed = RunPrePass(*in, *image);
  if (!passed) {
    in->outcome.front_end_failed = true;
    ShowMessage(*in, msg::ProgramExit());
  }
  if (options.check_only) return in->outcome.ExitStatus();

  ComputeTokenFacts(image->tokens, image->symbols, image->facts);
  Run(*in, window_proc, passed);
  platform.SetEventSink(nullptr);
#ifdef BRINDLE_STEP_BUDGET
  if (options.out_of_steps != nullptr)
    *options.out_of_steps = in->steps_taken > BRINDLE_STEP_BUDGET;
#endif
  return in->outcome.ExitStatus();
}

}  // namespace brindle
