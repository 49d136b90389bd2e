// The session's runs: the first, and each replay towards a step back, and what is served while
// the program is stopped or running.
#include <cstring>

#include "dap/session.h"
#include "host/driver.h"
#include "lint/lint.h"
#include "lsp/document_text.h"
#include "pictures/png_writer.h"
#include "platform/headless/headless.h"
#include "platform/headless/timeline.h"
#include "runtime/faults.h"
#include "runtime/interpreter.h"

namespace brindle::dap {

Session::~Session() {
  queue_.OnPush(nullptr);
  if (transcript_ != nullptr) std::fclose(transcript_);
}

// A stream whose writes go to pending_, from whichever thread writes.
void Session::OpenTranscript() {
  cookie_io_functions_t io{};
  io.write = [](void* cookie, const char* bytes, size_t size) -> ssize_t {
    auto* session = static_cast<Session*>(cookie);
    {
      std::lock_guard lock(session->pending_mutex_);
      session->pending_.append(bytes, size);
    }
    session->debugger_.attention().store(true, std::memory_order_relaxed);
    return static_cast<ssize_t>(size);
  };
  transcript_ = fopencookie(this, "w", io);
  if (transcript_ != nullptr) std::setvbuf(transcript_, nullptr, _IONBF, 0);
}

void Session::TakeTranscript(bool drop) {
  std::string lines;
  {
    std::lock_guard lock(pending_mutex_);
    const size_t end = pending_.rfind('\n');
    if (end == std::string::npos) return;
    lines = pending_.substr(0, end + 1);
    pending_.erase(0, end + 1);
  }
  if (drop) return;
  for (size_t at = 0; at < lines.size();) {
    const size_t end = lines.find('\n', at);
    const std::string line = lines.substr(at, end + 1 - at);
    Event("output", {{"category", line.rfind("box\t", 0) == 0 ? "console" : "stdout"},
                     {"output", lsp::Utf8Text(line)}});
    at = end + 1;
  }
}

void Session::RunScript() {
  for (;;) {
    if (rewind_) {
      debugger_.ReplayTo(*rewind_);
      rewind_.reset();
    } else {
      debugger_.PrepareRun(launch_.stop_on_entry);
    }
    try {
      state_ = State::kRunning;
      exit_status_ = launch_.headless ? RunHeadless() : RunInWindow();
      break;
    } catch (const Rewind& rewind) {
      rewind_ = rewind;
    }
  }
  platform_ = nullptr;
  const bool replayed = debugger_.replaying();
  debugger_.Ended();
  state_ = State::kEnded;
  // A replay that ran out before its step (a step back at the very start) shows the end.
  TakeTranscript(replayed);
  Event("terminated");
  Event("exited", {{"exitCode", exit_status_}});
}

int Session::RunHeadless() {
  if (transcript_ == nullptr) OpenTranscript();
  HeadlessPlatform platform(transcript_, ParseTimeline(timeline_text_));
  platform.ExpectFinalScreenshot(launch_.screenshot && !debugger_.replaying());
  flush_transcript_ = [&platform] { (void)platform.Flush(); };
  const int status = RunOnce(platform);
  (void)platform.Flush();
  flush_transcript_ = nullptr;
  if (launch_.screenshot && !debugger_.replaying()) {
    std::string reason;
    const std::vector<ColorRef> shot = platform.Screenshot();
    if (!WritePng(shot, Canvas::kWidth, Canvas::kHeight, *launch_.screenshot, &reason)) {
      Output("stderr", "cannot write " + *launch_.screenshot + ": " + reason + "\n");
    }
  }
  return status;
}

int Session::RunInWindow() {
  if (window_ == nullptr) {
    std::string problem;
    std::unique_ptr<Platform> platform =
        open_window_ ? open_window_(launch_.program, problem) : nullptr;
    if (platform == nullptr) {
      Output("stderr", "cannot open a window: " + problem + "; launch with \"headless\": true\n");
      return 2;
    }
    window_ = std::make_unique<TapedPlatform>(std::move(platform));
  } else {
    window_->Rewind();
    told_divergence_ = false;
  }
  waiting_platform_ = window_.get();
  const struct Forget {
    std::atomic<Platform*>& p;
    ~Forget() { p = nullptr; }
  } forget{waiting_platform_};
  return RunOnce(*window_);
}

int Session::RunOnce(Platform& platform) {
  platform_ = &platform;
  RunOptions options;
  options.clock_seed = launch_.seed.value_or(0);
  options.quiet = true;
  options.observer = &debugger_;
  options.fault_notes = FaultNotes;
  options.report_fault = [this](const std::string& line) {
    Output("stderr", lsp::Utf8Text(line) + "\n");
  };
  try {
    return RunProgram(platform, {launch_.program, source_}, options);
  } catch (...) {
    platform_ = nullptr;
    flush_transcript_ = nullptr;
    throw;
  }
}

void Session::StartPixelQuery(const Json& request, int x, int y) {
  Stopped();
  if (x < 0 || y < 0 || x >= Canvas::kWidth || y >= Canvas::kHeight) {
    throw RequestError{"the canvas is " + std::to_string(Canvas::kWidth) + " x " +
                       std::to_string(Canvas::kHeight) + " pixels"};
  }
  pixel_request_ = request;
  rewind_ = Rewind{debugger_.step(), false, "pixel", x, y};
}

void Session::AnswerPixelQuery() {
  const int token = debugger_.pixel_writer();
  const std::string answer =
      token > 0 ? "line " + std::to_string(debugger_.LineOf(token)) : "not drawn";
  if (!pixel_request_.is_null()) {
    Respond(pixel_request_, {{"result", answer}, {"variablesReference", 0}});
    pixel_request_ = Json();
    return;
  }
  // Asked by a click: the answer is shown where the user clicked, and said in the console.
  Output("console", "pixel " + std::to_string(click_x_) + ", " + std::to_string(click_y_) + ": " +
                        answer + "\n");
  if (platform_ != nullptr && debugger_.interpreter() != nullptr) {
    platform_->ShowCanvasNow(debugger_.interpreter()->canvas);
    platform_->ShowNote(click_x_, click_y_, answer);
  }
}

void Session::HoldWindow() {
  const std::optional<WindowEvent> event = window_->WaitWhileHeld();
  if (!event) return;
  if (event->type == WindowEvent::Type::kClose) {
    Output("console", "The window was closed: the program ends.\n");
    Event("terminated");
    Event("exited", {{"exitCode", 0}});
    throw SessionEnded{};
  }
  click_x_ = event->x;
  click_y_ = event->y;
  pixel_request_ = Json();
  rewind_ = Rewind{debugger_.step(), false, "pixel", event->x, event->y};
}

void Session::ServeStop(const StopReason& reason) {
  if (flush_transcript_) flush_transcript_();
  TakeTranscript(reason.reason == "pixel");
  state_ = State::kStopped;
  // The replay of a pixel query ends where the program was stopped: it stays stopped.
  if (reason.reason == "pixel") {
    AnswerPixelQuery();
  } else {
    StopHere(reason);
  }
  const bool held = window_ != nullptr && platform_ == window_.get();
  while (state_ == State::kStopped) {
    if (std::optional<Json> request = queue_.Take(!held)) {
      Handle(*request);
    } else if (queue_.closed() || !held) {
      throw SessionEnded{};
    } else {
      HoldWindow();
    }
    if (rewind_) {
      const Rewind rewind = *rewind_;
      throw rewind;
    }
  }
}

void Session::StopHere(const StopReason& reason) {
  // What has been drawn so far, before its SWAP.
  if (platform_ != nullptr && !launch_.headless && debugger_.interpreter() != nullptr) {
    platform_->ShowCanvasNow(debugger_.interpreter()->canvas);
  }
  if (window_ != nullptr && window_->diverged() && !told_divergence_) {
    told_divergence_ = true;
    Output("stderr",
           "The program went another way when it was run again to go back (a file it reads may "
           "have changed): from where it did, the window answers it anew.\n");
  }
  last_stop_ = reason;
  Json body = {{"reason", reason.reason}, {"threadId", 1}, {"allThreadsStopped", true}};
  if (!reason.text.empty()) body["text"] = lsp::Utf8Text(reason.text);
  if (reason.reason == "exception") {
    body["description"] = lsp::Utf8Text(reason.caption + ": " + reason.text);
  }
  Event("stopped", body);
}

void Session::ServeWhileRunning() {
  TakeTranscript(false);
  while (std::optional<Json> request = queue_.Take(false)) Handle(*request);
  // With the client gone, the program ends with the session.
  if (queue_.closed()) throw SessionEnded{};
}

// continue, next, stepIn, stepOut, stepBack, reverseContinue.
void Session::Resume(const Json& request) {
  const std::string command = request.at("command").get<std::string>();
  const bool back = command == "stepBack" || command == "reverseContinue";
  if (state_ != State::kStopped && !(back && state_ == State::kEnded)) {
    throw RequestError{"the program is not stopped"};
  }
  Json body = Json::object();
  if (command == "continue") body["allThreadsContinued"] = true;
  Respond(request, body);
  if (command == "stepBack") {
    rewind_ =
        state_ == State::kEnded ? Rewind{debugger_.step(), false, "step"} : debugger_.StepBack();
  } else if (command == "reverseContinue") {
    rewind_ = state_ == State::kEnded ? Rewind{debugger_.step(), true, "breakpoint"}
                                      : debugger_.ReverseContinue();
  } else if (command == "continue") {
    debugger_.Continue();
  } else if (command == "next") {
    debugger_.StepOver();
  } else if (command == "stepIn") {
    debugger_.StepIn();
  } else if (command == "stepOut") {
    debugger_.StepOut();
  }
  if (state_ == State::kStopped) state_ = State::kRunning;
}

Interpreter& Session::Stopped() const {
  Interpreter* in = debugger_.interpreter();
  if (in == nullptr || state_ != State::kStopped) throw RequestError{"the program is not stopped"};
  return *in;
}

}  // namespace brindle::dap
