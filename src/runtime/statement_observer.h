// What a debugger sees of a run: each statement before it runs, and each run-time fault before
// its box. Set on the interpreter before the run; with none set the executor runs as it always
// does (the loop that calls an observer is a separate copy of the statement loop).
#pragma once

#include "lang/messages.h"

namespace brindle {

struct Interpreter;
struct ScriptImage;

class StatementObserver {
 public:
  virtual ~StatementObserver() = default;
  // Once, after the pre-check and before the main run. The image is the script's, which the
  // observer may extend past its last token (the run never reads there) for expressions of
  // its own.
  virtual void Started(Interpreter& in, ScriptImage& image) = 0;
  // Before the statement whose first token is the cursor's (in.cursor.cur) runs.
  virtual void BeforeStatement(Interpreter& in) = 0;
  // Before the program waits for its next event, with no run going on; and at each repaint,
  // which may come while a message box waits with a run going on (in.run is then set).
  virtual void Idle(Interpreter& in) = 0;
  // Before a run-time fault is reported and shown. May throw to take the fault itself.
  virtual void BeforeRunTimeError(Interpreter& in, const Message& message) = 0;
};

}  // namespace brindle
