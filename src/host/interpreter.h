// All interpreter state, in one object, so that every run (and every test) starts afresh.
#pragma once

#include <cstdint>
#include <string>

#include "exec/exec_state.h"
#include "exec/loop_head.h"
#include "exec/run_state.h"
#include "expr/cursor.h"
#include "expr/expr_cache.h"
#include "expr/numbers.h"
#include "expr/storage.h"
#include "frontend/token_table.h"
#include "platform/canvas.h"
#include "platform/platform.h"
#include "prepass/blocks.h"
#include "prepass/symbols.h"

namespace brindle {

struct SourceFile {
  std::string path;
  std::string text;  // the whole script, byte for byte
};

// Values the window procedure stores for the script's MOUSEX, MOUSEY and HWPARAM.
struct EventValues {
  int32_t mouse_x = 0;
  int32_t mouse_y = 0;
  int32_t wparam = 0;
};

// What the process reports when it ends.
struct Outcome {
  bool front_end_failed = false;      // the tokenizer or the pre-pass found a fault
  bool run_time_error_shown = false;  // a box raised while the script ran
  int ExitStatus() const { return front_end_failed ? 1 : run_time_error_shown ? 3 : 0; }
};

struct Interpreter {
  explicit Interpreter(Platform& p) : platform(p) {}
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  Platform& platform;
  SourceFile source;
  TokenTable tokens;
  Symbols symbols;
  Blocks blocks;
  TokenFacts facts;
  ExprCache exprs;
  Values values;
  TokenCursor cursor;
  RandomState random;
  EventValues events;
  Canvas canvas;
  ExecState exec;
  LoopHeads loop_heads;
  Outcome outcome;
  EventSink* window_proc = nullptr;  // where the executor's pump sends events
  RunState* run = nullptr;           // the innermost active run
  int active_runs = 0;
  bool run_prepared = false;  // PrepareRun has run
  long steps_taken = 0;  // counted only in fuzzing builds
};

}  // namespace brindle
