// The debugger's view of one run: where it stops (breakpoints, steps, pauses, faults), how
// many statements have run (a step back runs the script again, from the start, to the
// statement before), and what the stopped program holds. The protocol is the session's; this
// knows only the run.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "frontend/source_position.h"
#include "runtime/statement_observer.h"

namespace brindle {

struct RunState;

// Why the program stopped, in the protocol's words.
struct StopReason {
  std::string reason;  // entry, breakpoint, step, pause, exception, function breakpoint
  std::string text;    // an exception's box text
  std::string caption;
};

// Thrown from a stop to run the script again from the start, to the statement numbered step
// (1: the first). reverse: to the last breakpoint hit before that step instead, if any.
struct Rewind {
  long step = 1;
  bool reverse = false;
  std::string reason = "step";  // of the stop there
  // Looking for the statement that last changed this canvas pixel on the way (-1: none).
  int pixel_x = -1, pixel_y = -1;
  // A step back: to the last statement before step whose stack was at most this deep (-1:
  // to step itself), as a step over would have come to step from there.
  int back_to_depth = -1;
};

struct Breakpoint {
  int line = 0;  // as asked
  std::string condition, hit_condition, log_message;
  int token = 0;  // the statement it stops at, 0 when none is at or after the line
  int hits = 0;
};

// One frame of the stack as a learner reads it: a FUNC call, a handler run, the main part.
struct Frame {
  std::string name;
  int token = 0;  // the statement it is at
};

class Debugger : public StatementObserver {
 public:
  // Told at each stop; returns when the program is to go on (having set a step, perhaps), or
  // throws (Rewind, or the end of the session).
  using StopHandler = std::function<void(const StopReason&)>;
  // Told while the program runs when attention() was set: requests that came in.
  using Attention = std::function<void()>;
  // Log points and such, while the run is not being replayed.
  using Output = std::function<void(const std::string&)>;

  Debugger(StopHandler stop, Attention attention, Output output)
      : stop_(std::move(stop)), attention_(std::move(attention)), output_(std::move(output)) {}

  // The script, tokenized and checked by the caller as a run does it (the runs' positions are
  // the same): where its statements and lines are.
  void SetScript(const ScriptImage& image, const std::string& source);
  // Before a run (the first or a replay): whether to stop at its first statement.
  void PrepareRun(bool stop_on_entry);
  void SetLineBreakpoints(std::vector<Breakpoint> breakpoints);
  const std::vector<Breakpoint>& line_breakpoints() const { return breakpoints_; }
  // FUNC names and handler event names; returns for each whether it is known.
  std::vector<bool> SetFunctionBreakpoints(const std::vector<std::string>& names);
  void StopOnErrors(bool on) { stop_on_errors_ = on; }

  // Set from a stop: how the program goes on.
  void Continue() { mode_ = Mode::kRun; }
  void StepIn();
  void StepOver();
  void StepOut();
  void Pause() { pause_ = true; }
  // A Rewind for a step back / a reverse continue from here.
  Rewind StepBack() const;
  Rewind ReverseContinue() const { return {step_ > 1 ? step_ - 1 : 1, true}; }
  // Called by the session when a replay starts towards rewind.
  void ReplayTo(const Rewind& rewind);
  bool replaying() const { return replay_to_ > 0; }
  // After a replay that looked for a pixel: the statement that last changed it (0: none).
  int pixel_writer() const { return pixel_writer_; }

  // A value set by hand at this stop, set now: each replay that comes here sets it again at the
  // same place, and one that stops before it forgets it.
  void SetByHand(std::function<void(Interpreter&)> set);

  // Set from any thread: the statement loop then calls Attention before its next statement.
  std::atomic<bool>& attention() { return attention_flag_; }

  // The stopped program.
  Interpreter* interpreter() const { return in_; }
  ScriptImage* image() const { return image_; }
  long step() const { return step_; }
  int LineOf(int token) const;
  int ColumnOf(int token) const;
  std::vector<Frame> Frames() const;
  // Whether the run has ended (after the last statement: a step back still goes back).
  void Ended() {
    ended_ = true;
    in_ = nullptr;
  }
  bool ended() const { return ended_; }

  void Started(Interpreter& in, ScriptImage& image) override;
  void BeforeStatement(Interpreter& in) override;
  void BeforeRunTimeError(Interpreter& in, const Message& message) override;
  void Idle(Interpreter& in) override;

  // Set while the debugger evaluates an expression: a fault it meets is thrown back.
  bool evaluating = false;

 private:
  enum class Mode { kRun, kStepIn, kStepOver, kStepOut };
  int Depth() const;
  bool BreakpointStops(Breakpoint& b);
  void ReachedReplayTarget(bool hit);
  void NotePixel(Interpreter& in, int statement);
  std::string Interpolate(const std::string& message);

  StopHandler stop_;
  Attention attention_;
  Output output_;
  std::atomic<bool> attention_flag_{false};

  Interpreter* in_ = nullptr;
  ScriptImage* image_ = nullptr;
  const ScriptImage* script_ = nullptr;
  std::vector<bool> starts_;
  std::vector<SourcePosition> position_of_;  // by token
  std::vector<Breakpoint> breakpoints_;
  std::vector<int> breakpoint_at_;          // by token: 1 + index into breakpoints_, or 0
  std::map<int, std::string> function_at_;  // first statement token -> name
  std::vector<std::string> function_names_;
  bool stop_on_errors_ = true;
  bool stop_on_entry_ = false;
  Mode mode_ = Mode::kRun;
  int step_depth_ = 0;
  bool pause_ = false;
  long step_ = 0;
  long replay_to_ = 0;
  bool replay_reverse_ = false;
  std::string replay_reason_;
  int pixel_x_ = -1, pixel_y_ = -1;
  uint32_t pixel_seen_ = 0;
  int pixel_writer_ = 0;
  int back_to_depth_ = -1;
  long back_to_step_ = 0;
  int previous_statement_ = 0;
  int current_statement_ = 0;  // the innermost run's
  long last_hit_ = 0;          // during a reverse replay: the last step a breakpoint stopped
  bool ended_ = false;
  struct HandSet {
    long step = 0;  // set before this statement
    std::function<void(Interpreter&)> set;
  };
  std::vector<HandSet> hand_sets_;  // in the order they were made
  size_t next_hand_set_ = 0;        // the first this run has not made yet
};

// The statements' first tokens: where the statement loop dispatches (by position, 1 ..
// count; true for a statement's start).
std::vector<bool> StatementStarts(const ScriptImage& image);

}  // namespace brindle
