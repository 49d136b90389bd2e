// The state of one run of the executor: the main run, or one handler run.
#pragma once

#include <string>
#include <vector>

namespace brindle {

constexpr int kStackDepth = 1024;

struct RunState {
  int entry = 0;  // the handler name token a handler run started at; 0 for the main part
  // For those who look at the runs nested at a moment (a debugger): the run this one
  // interrupted, the token that run had read last, and the event values as this run began.
  RunState* outer = nullptr;
  int outer_token = 0;
  int wparam = 0, mouse_x = 0, mouse_y = 0;
  int call_depth = 0;
  int while_depth = 0;
  int if_outcome = 0;   // the last IF condition: -1 true, 0 false
  int image_count = 0;  // image slots handed out by this run
  // What the last PRINT of this run showed; counted in Values::stored_text while the run lasts.
  std::string print_text;
  // GETTEXT's receiving buffer: 256 spaces when the run starts (empty until first used).
  std::string text_buffer;
  // Entry d is the call's identifier at call depth d, or the WHILE token at loop depth d.
  // Each run has its own, so a handler run started inside another leaves them intact.
  std::vector<int> return_stack = std::vector<int>(kStackDepth + 1, 0);
  std::vector<int> while_stack = std::vector<int>(kStackDepth + 1, 0);
};

}  // namespace brindle
