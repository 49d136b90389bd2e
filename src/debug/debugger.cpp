#include "debug/debugger.h"

#include <algorithm>

#include "debug/evaluate.h"
#include "exec/executor.h"
#include "lang/keywords.h"
#include "lang/text.h"
#include "prepass/blocks.h"
#include "runtime/interpreter.h"
#include "runtime/script_image.h"

namespace brindle {

std::vector<bool> StatementStarts(const ScriptImage& image) {
  const TokenTable& t = image.tokens;
  std::vector<bool> starts(static_cast<size_t>(t.count) + 2, false);
  for (int p = 1; p <= t.count; ++p) {
    const bool first = p == 1 || t.kind[p - 1] == TK_EOL || t.kind[p - 1] == TK_COLON;
    starts[p] = first && StatementOfKind(t.kind[p]) != nullptr;
  }
  return starts;
}

namespace {

// The first statement at or after token p, or 0.
int StatementFrom(const std::vector<bool>& starts, int p) {
  for (; p > 0 && static_cast<size_t>(p) < starts.size(); ++p) {
    if (starts[p]) return p;
  }
  return 0;
}

}  // namespace

void Debugger::SetScript(const ScriptImage& image, const std::string& source) {
  script_ = &image;
  starts_ = StatementStarts(image);
  const LineIndex lines(source);
  position_of_.assign(static_cast<size_t>(image.tokens.count) + 2, SourcePosition{});
  for (int p = 1; p <= image.tokens.count; ++p) position_of_[p] = lines.AtToken(image.tokens, p);
  breakpoint_at_.assign(starts_.size(), 0);
}

void Debugger::SetLineBreakpoints(std::vector<Breakpoint> breakpoints) {
  breakpoint_at_.assign(starts_.size(), 0);
  for (size_t i = 0; i < breakpoints.size(); ++i) {
    Breakpoint& b = breakpoints[i];
    b.token = 0;
    for (size_t p = 1; p < starts_.size(); ++p) {
      if (starts_[p] && LineOf(static_cast<int>(p)) >= b.line) {
        b.token = static_cast<int>(p);
        break;
      }
    }
    if (b.token > 0 && breakpoint_at_[b.token] == 0) {
      breakpoint_at_[b.token] = static_cast<int>(i) + 1;
    }
  }
  breakpoints_ = std::move(breakpoints);
}

std::vector<bool> Debugger::SetFunctionBreakpoints(const std::vector<std::string>& names) {
  function_at_.clear();
  function_names_ = names;
  const ScriptImage& image = *script_;
  std::vector<bool> known;
  for (const std::string& name : names) {
    int entry = 0;
    const std::string upper = UpperCase(name);
    for (const HandlerName& h : kHandlerNames) {
      if (h.text == upper) entry = image.blocks.HandlerEntry(h.handler);
    }
    if (entry == 0) {
      std::string lower = LowerCase(name);
      if (!lower.empty() && lower.back() == ')') lower = lower.substr(0, lower.find('('));
      const auto found = image.symbols.first_func.find(lower);
      if (found != image.symbols.first_func.end()) entry = found->second;
    }
    const int at = entry > 0 ? StatementFrom(starts_, entry + 1) : 0;
    if (at > 0) function_at_[at] = name;
    known.push_back(at > 0);
  }
  return known;
}

int Debugger::LineOf(int token) const {
  return token > 0 && static_cast<size_t>(token) < position_of_.size()
             ? static_cast<int>(position_of_[token].line)
             : 0;
}

int Debugger::ColumnOf(int token) const {
  return token > 0 && static_cast<size_t>(token) < position_of_.size()
             ? static_cast<int>(position_of_[token].column)
             : 0;
}

void Debugger::PrepareRun(bool stop_on_entry) {
  stop_on_entry_ = stop_on_entry;
  step_ = 0;
  next_hand_set_ = 0;
  ended_ = false;
  for (Breakpoint& b : breakpoints_) b.hits = 0;
  mode_ = Mode::kRun;
  pause_ = false;
}

Rewind Debugger::StepBack() const {
  if (step_ <= 1) return {1, false, "entry"};
  Rewind back{step_, false, "step"};
  back.back_to_depth = Depth();
  return back;
}

void Debugger::ReplayTo(const Rewind& rewind) {
  PrepareRun(false);
  replay_to_ = std::max(1L, rewind.step);
  replay_reverse_ = rewind.reverse;
  replay_reason_ = rewind.reason;
  last_hit_ = 0;
  back_to_depth_ = rewind.back_to_depth;
  back_to_step_ = 0;
  pixel_x_ = rewind.pixel_x;
  pixel_y_ = rewind.pixel_y;
  pixel_writer_ = 0;
  pixel_seen_ = kButtonFace;
}

void Debugger::Started(Interpreter& in, ScriptImage& image) {
  in_ = &in;
  image_ = &image;
  // The expressions' tokens are written past the script's: the texts' storage is made now,
  // so that no later write moves a text a statement is reading.
  image.tokens.text.Write(kCursorLimit + 1);
}

void Debugger::StepIn() {
  mode_ = Mode::kStepIn;
}

void Debugger::StepOver() {
  mode_ = Mode::kStepOver;
  step_depth_ = Depth();
}

void Debugger::StepOut() {
  mode_ = Mode::kStepOut;
  step_depth_ = Depth();
}

// Frames on the stack: each run, and each FUNC call in it.
int Debugger::Depth() const {
  int depth = 0;
  for (const RunState* r = in_ != nullptr ? in_->run : nullptr; r != nullptr; r = r->outer) {
    depth += 1 + r->call_depth;
  }
  return depth;
}

std::vector<Frame> Debugger::Frames() const {
  std::vector<Frame> frames;
  if (in_ == nullptr) return frames;
  const TokenTable& t = image_->tokens;
  // A fault stops inside its statement: the frame shows where that statement starts.
  int token = current_statement_;
  for (const RunState* r = in_->run; r != nullptr; r = r->outer) {
    for (int d = r->call_depth; d >= 1; --d) {
      const int call = r->return_stack[d];
      frames.push_back({t.text[call] + "()", token});
      token = call;
    }
    std::string name = "main part";
    if (r->entry > 0) {
      name = UpperCase(t.text[r->entry]);
      if (name == "WMKEYDOWN" || name == "WMKEYUP" || name == "WMCOMMAND") {
        name += " " + std::to_string(r->wparam);
      } else if (name == "WMMOUSEMOVE") {
        name += " " + std::to_string(r->mouse_x) + ", " + std::to_string(r->mouse_y);
      }
    }
    frames.push_back({name, token});
    token = r->outer_token;
  }
  return frames;
}

std::string Debugger::Interpolate(const std::string& message) {
  std::string out;
  for (size_t i = 0; i < message.size(); ++i) {
    const size_t close = message[i] == '{' ? message.find('}', i) : std::string::npos;
    if (close == std::string::npos) {
      out += message[i];
      continue;
    }
    evaluating = true;
    const Evaluation e = Evaluate(*in_, *image_, message.substr(i + 1, close - i - 1));
    evaluating = false;
    out += e.ok ? e.value : "{" + e.error + "}";
    i = close;
  }
  return out;
}

bool Debugger::BreakpointStops(Breakpoint& b) {
  if (!b.condition.empty()) {
    evaluating = true;
    const Evaluation e = Evaluate(*in_, *image_, b.condition, true);
    evaluating = false;
    if (!e.ok || e.number == 0.0f) return false;
  }
  ++b.hits;
  if (!b.hit_condition.empty()) {
    const int needed = std::atoi(b.hit_condition.c_str());
    if (b.hits < needed) return false;
  }
  if (!b.log_message.empty()) {
    if (!replaying()) output_(Interpolate(b.log_message) + "\n");
    return false;
  }
  return true;
}

// A replay's last statement: stop there, or for a reverse continue, at the last breakpoint
// hit up to it (the start when there was none).
void Debugger::ReachedReplayTarget(bool hit) {
  replay_to_ = 0;
  pixel_x_ = pixel_y_ = -1;
  if (back_to_depth_ >= 0) {
    back_to_depth_ = -1;
    throw Rewind{back_to_step_ > 0 ? back_to_step_ : 1, false,
                 back_to_step_ > 1 ? "step" : "entry"};
  }
  if (replay_reverse_ && !hit) {
    throw Rewind{last_hit_ > 0 ? last_hit_ : 1, false, last_hit_ > 0 ? "breakpoint" : "entry"};
  }
  // Stopped before a value was set by hand: that value is not this run's.
  if (replay_reason_ != "pixel") {
    std::erase_if(hand_sets_, [this](const HandSet& h) { return h.step > step_; });
    next_hand_set_ = std::min(next_hand_set_, hand_sets_.size());
  }
  stop_({replay_reverse_ ? "breakpoint" : replay_reason_, "", ""});
}

void Debugger::SetByHand(std::function<void(Interpreter&)> set) {
  set(*in_);
  // Stopped while idle, the last statement has run: the value comes before the next.
  hand_sets_.push_back({current_statement_ == 0 ? step_ + 1 : step_, std::move(set)});
  next_hand_set_ = hand_sets_.size();
}

void Debugger::BeforeStatement(Interpreter& in) {
  ++step_;
  const int p = in.cursor.cur;
  current_statement_ = p;
  if (pixel_x_ >= 0) NotePixel(in, p);
  bool hit = false;
  std::string reason;
  if (static_cast<size_t>(p) < breakpoint_at_.size() && breakpoint_at_[p] != 0) {
    hit = BreakpointStops(breakpoints_[breakpoint_at_[p] - 1]);
    if (hit) reason = "breakpoint";
  }
  if (!hit && !function_at_.empty() && function_at_.count(p) != 0) {
    hit = true;
    reason = "function breakpoint";
  }
  // After the breakpoints are counted, as they were when the value was set at the stop.
  while (next_hand_set_ < hand_sets_.size() && hand_sets_[next_hand_set_].step <= step_) {
    hand_sets_[next_hand_set_++].set(in);
  }
  if (replaying()) {
    if (hit) last_hit_ = step_;
    if (back_to_depth_ >= 0 && step_ < replay_to_ && Depth() <= back_to_depth_)
      back_to_step_ = step_;
    if (step_ == replay_to_) ReachedReplayTarget(hit);
    return;
  }
  if (attention_flag_.exchange(false, std::memory_order_relaxed)) attention_();
  if (step_ == 1 && stop_on_entry_) {
    reason = "entry";
  } else if (pause_) {
    reason = "pause";
  } else if (!hit) {
    switch (mode_) {
      case Mode::kRun:
        return;
      case Mode::kStepIn:
        break;
      case Mode::kStepOver:
        if (Depth() > step_depth_) return;
        break;
      case Mode::kStepOut:
        if (Depth() >= step_depth_) return;
        break;
    }
    reason = "step";
  }
  pause_ = false;
  mode_ = Mode::kRun;
  stop_({reason, "", ""});
}

// What the statement before this one did to the watched pixel. Handler runs started in
// between are statements too, so a change is the last statement's.
void Debugger::NotePixel(Interpreter& in, int statement) {
  const uint32_t now = in.canvas.Pixel(pixel_x_, pixel_y_);
  if (now != pixel_seen_) pixel_writer_ = previous_statement_;
  pixel_seen_ = now;
  previous_statement_ = statement;
}

// Waiting for events: requests are served, and a pause stops here, with no run on the stack.
void Debugger::Idle(Interpreter& in) {
  if (replaying()) return;
  // In a message box a run may be going on: its statement is still where it stands.
  if (in.run == nullptr) current_statement_ = 0;
  if (attention_flag_.exchange(false, std::memory_order_relaxed)) attention_();
  // A script that failed its pre-check never started: there is nothing to stop in.
  if (!pause_ || in_ == nullptr) return;
  pause_ = false;
  mode_ = Mode::kRun;
  stop_({"pause", "", ""});
}

void Debugger::BeforeRunTimeError(Interpreter& in, const Message& message) {
  if (evaluating) throw EvaluationFault{message.caption + ": " + message.text};
  (void)in;
  if (!stop_on_errors_ || replaying()) return;
  mode_ = Mode::kRun;
  stop_({"exception", message.text, message.caption});
}

}  // namespace brindle
