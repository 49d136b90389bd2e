// brindle --dap: one debugging session of one script, in the debug adapter protocol. The
// script runs on this thread; requests arrive through a queue filled by another, and are
// answered while the program is stopped, or between two statements while it runs.
#pragma once

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "dap/message_queue.h"
#include "debug/debugger.h"
#include "debug/taped_platform.h"
#include "platform/platform.h"
#include "runtime/script_image.h"

namespace brindle::dap {

// A request that cannot be carried out: its error response.
struct RequestError {
  std::string message;
};

// The session is over (disconnect, terminate, the input's end).
struct SessionEnded {};

struct LaunchArguments {
  std::string program;
  bool headless = false;
  std::optional<std::string> events, screenshot;
  std::optional<uint32_t> seed;
  bool stop_on_entry = false;
};

class Session {
 public:
  using Send = std::function<void(const Json&)>;
  // Opens the window of a run of the script that is not headless (null, with the reason, when
  // none opens).
  using OpenWindow =
      std::function<std::unique_ptr<Platform>(const std::string& script, std::string& problem)>;

  Session(MessageQueue& queue, Send send, OpenWindow open_window);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  // Serves until the session ends; returns the process's exit status.
  int Serve();

 private:
  enum class State { kConfiguring, kRunning, kStopped, kEnded };

  void Handle(const Json& request);
  void HandleRequest(const Json& request, const std::string& command);
  void Respond(const Json& request, Json body = Json::object());
  void Event(const std::string& name, Json body = Json::object());
  void Output(const std::string& category, const std::string& text);

  // Requests by state; each throws RequestError for a request it cannot carry out.
  Json Initialize();
  Json Launch(const Json& arguments);
  Json SetBreakpoints(const Json& arguments);
  Json SetFunctionBreakpoints(const Json& arguments);
  Json SetExceptionBreakpoints(const Json& arguments);
  Json StackTrace() const;
  Json Scopes(const Json& arguments) const;
  Json Variables(const Json& arguments) const;
  Json SetVariable(const Json& arguments);
  Json Evaluate(const Json& arguments);
  Json ExceptionInfo() const;
  void EvaluateRequest(const Json& request, const Json& arguments);
  // continue, next, stepIn, stepOut, stepBack, reverseContinue: answered, then the program
  // goes on (or back).
  void Resume(const Json& request);

  // evaluate "pixel X, Y": answered once a replay to here has watched that pixel.
  void StartPixelQuery(const Json& request, int x, int y);
  void AnswerPixelQuery();
  // The window held while stopped: repainted, and a click there asks about its pixel.
  void HoldWindow();

  void RunScript();
  int RunHeadless();
  int RunInWindow();
  int RunOnce(Platform& platform);
  void ServeStop(const StopReason& reason);
  void StopHere(const StopReason& reason);
  void ServeWhileRunning();
  // The transcript's lines, written by the transcript's own thread, become output events
  // here, on this one; those of a replay are dropped (they were sent the first time).
  void TakeTranscript(bool drop);
  void OpenTranscript();
  Interpreter& Stopped() const;

  MessageQueue& queue_;
  Send send_;
  OpenWindow open_window_;
  int seq_ = 0;
  State state_ = State::kConfiguring;
  bool launched_ = false, configured_ = false;
  LaunchArguments launch_;
  std::string source_;
  std::unique_ptr<ScriptImage> script_;  // tokenized and checked as a run does it
  std::string timeline_text_;
  // Variables and arrays by number, named as the script first writes them.
  std::vector<std::string> var_names_, array_names_;
  Debugger debugger_;
  StopReason last_stop_;
  std::optional<Rewind> rewind_;  // asked for once the run has ended
  Json pixel_request_;            // waiting for its replay
  int exit_status_ = 0;
  // The window, kept from run to run: a replay is given its answers again from the tape.
  std::unique_ptr<TapedPlatform> window_;
  bool told_divergence_ = false;
  int click_x_ = -1, click_y_ = -1;  // a pixel query asked by a click in the window
  Platform* platform_ = nullptr;     // of the run in progress
  std::atomic<Platform*> waiting_platform_{nullptr};  // woken for each request that comes
  std::function<void()> flush_transcript_;
  std::FILE* transcript_ = nullptr;  // hands what it is given to pending_
  std::mutex pending_mutex_;
  std::string pending_;
};

}  // namespace brindle::dap
