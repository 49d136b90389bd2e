// The context every statement and evaluator works in. It refers to the script's image, which
// nothing here may change, and it holds what runs change (values, cursor, drawing state) and
// the host's plumbing. One per process, so every test starts afresh. The layers above keep
// their caches, which only grow and never change a result, in the types they derive from it:
// the compiled expressions in Evaluator (expr/expr_cache.h), what the blocks' first runs found
// in Executor (exec/block_cache.h). Only an Executor can be made (the constructors are private
// to the layer above), so every Interpreter is one.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "canvas/canvas.h"
#include "frontend/source_position.h"
#include "lang/numbers.h"
#include "platform/platform.h"
#include "runtime/process_state.h"
#include "runtime/run_state.h"
#include "runtime/script_image.h"
#include "runtime/statement_observer.h"
#include "runtime/values.h"

namespace brindle {

// Values the window procedure stores for the script's MOUSEX, MOUSEY and HWPARAM.
struct EventValues {
  int32_t mouse_x = 0;
  int32_t mouse_y = 0;
  int32_t wparam = 0;
};

// What the process reports when it ends.
struct Outcome {
  bool front_end_failed = false;      // the tokenizer or the pre-check found a fault
  bool run_time_error_shown = false;  // a box raised while the script ran
  int ExitStatus() const { return front_end_failed ? 1 : run_time_error_shown ? 3 : 0; }
};

struct Interpreter {
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // The script, read-only.
  const ScriptImage& image;

  // Set before the run, never changed after: no expression cache, no fused or merged
  // instructions, no three-address code, no regions, no kept block scans, no passing over
  // tokens at once. Each result must then be exactly the
  // fast one, which the tests check by running every script both ways.
  bool slow_paths = false;
  // Set before the run for an observer that must see every statement start: the statement
  // loop then dispatches each statement itself (no regions, one assignment per program).
  // Expressions stay compiled.
  bool each_statement = false;
  StatementObserver* observer = nullptr;  // needs each_statement

  // What runs change.
  Values values;
  TokenCursor cursor;
  RandomState random;
  EventValues events;
  Canvas canvas;
  ProcessState process;
  RunState* run = nullptr;  // the innermost active run
  int active_runs = 0;

  // The host's plumbing.
  Platform& platform;
  EventSink* window_proc = nullptr;   // where the executor's pump sends events
  int loop_turns_to_close_check = 0;  // see EndIfWindowClosed (exec/control_flow.cpp)
  Outcome outcome;
  std::string script_path;  // relative picture names are also tried beside the script
  std::string_view source;  // the script's bytes: where a fault is, in lines and columns
  std::optional<LineIndex> source_lines;  // of source, made when the first run-time fault is
  // Each fault shown in a box also goes here as one line for the terminal (none when empty).
  std::function<void(const std::string&)> report_fault;
  // --stop-on-error: the first run-time fault, once its box is answered, ends the program.
  bool stop_on_error = false;
  long steps_taken = 0;  // counted only in fuzzing builds

 private:
  // Made only as the base of an Evaluator, which is made only as the base of an Executor: the
  // layers reach their caches by a static_cast that these constructors make safe.
  friend struct Evaluator;
  Interpreter(const ScriptImage& script, Platform& p, std::string path)
      : image(script), platform(p), script_path(std::move(path)) {}
  ~Interpreter() = default;
};

}  // namespace brindle
