#include "dap/session.h"

#include <cstdio>
#include <unordered_map>

#include "files/file_read.h"
#include "frontend/tokenizer.h"
#include "host/script_encoding.h"
#include "lsp/document_text.h"
#include "prepass/prepass.h"
#include "runtime/interpreter.h"

namespace brindle::dap {
namespace {

const Json& Arguments(const Json& request) {
  static const Json kNone = Json::object();
  const auto found = request.find("arguments");
  if (found == request.end() || found->is_null()) return kNone;
  if (!found->is_object()) throw RequestError{"\"arguments\" is not an object"};
  return *found;
}

// The one thread, as the requests about a thread must name it.
void RequireThread(const Json& arguments) {
  const auto id = arguments.find("threadId");
  if (id == arguments.end()) throw RequestError{"missing \"threadId\""};
  if (!id->is_number_integer() || id->get<int64_t>() != 1) {
    throw RequestError{"no thread " + id->dump() + ": the program's one thread is 1"};
  }
}

std::string StringMember(const Json& object, const char* key, bool required = false) {
  const auto found = object.find(key);
  if (found == object.end() || found->is_null()) {
    if (required) throw RequestError{std::string("missing \"") + key + "\""};
    return "";
  }
  if (!found->is_string()) throw RequestError{std::string("\"") + key + "\" is not a string"};
  return found->get<std::string>();
}

// A member of a message as a client may have sent it: of any type, or missing ("" or 0 then).
std::string TextOf(const Json& message, const char* key) {
  if (!message.is_object()) return "";
  const auto found = message.find(key);
  return found != message.end() && found->is_string() ? found->get<std::string>() : "";
}

int64_t SeqOf(const Json& message) {
  if (!message.is_object()) return 0;
  const auto found = message.find("seq");
  return found != message.end() && found->is_number_integer() ? found->get<int64_t>() : 0;
}

bool BoolMember(const Json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end() || found->is_null()) return false;
  if (!found->is_boolean()) throw RequestError{std::string("\"") + key + "\" is not true or false"};
  return found->get<bool>();
}

std::optional<std::string> ReadInput(const std::string& path, std::string& reason) {
  std::string bytes;
  if (!ReadWholeFile(path, kMaxSourceBytes, FileKinds::kRegularOrPipe, bytes, reason)) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

Session::Session(MessageQueue& queue, Send send, OpenWindow open_window)
    : queue_(queue),
      send_(std::move(send)),
      open_window_(std::move(open_window)),
      debugger_([this](const StopReason& r) { ServeStop(r); }, [this] { ServeWhileRunning(); },
                [this](const std::string& text) { Output("console", lsp::Utf8Text(text)); }) {
  queue_.OnPush([this] {
    debugger_.attention().store(true, std::memory_order_relaxed);
    if (Platform* platform = waiting_platform_.load()) platform->Wake();
  });
}

void Session::Respond(const Json& request, Json body) {
  send_({{"seq", ++seq_},
         {"type", "response"},
         {"request_seq", SeqOf(request)},
         {"success", true},
         {"command", TextOf(request, "command")},
         {"body", std::move(body)}});
}

void Session::Event(const std::string& name, Json body) {
  send_({{"seq", ++seq_}, {"type", "event"}, {"event", name}, {"body", std::move(body)}});
}

void Session::Output(const std::string& category, const std::string& text) {
  if (debugger_.replaying()) return;
  Event("output", {{"category", category}, {"output", text}});
}

int Session::Serve() {
  try {
    while (!(launched_ && configured_)) {
      std::optional<Json> request = queue_.Take(true);
      if (!request) return 0;
      Handle(*request);
    }
    RunScript();
    for (;;) {
      std::optional<Json> request = queue_.Take(true);
      if (!request) return 0;
      Handle(*request);
      if (rewind_) RunScript();
    }
  } catch (const SessionEnded&) {
  }
  return 0;
}

void Session::Handle(const Json& request) {
  const std::string command = TextOf(request, "command");
  try {
    try {
      HandleRequest(request, command);
    } catch (const Json::exception& e) {
      // A member of a type that no check above expected: the request is refused, not the session.
      throw RequestError{std::string("a malformed request: ") + e.what()};
    }
  } catch (const RequestError& e) {
    send_({{"seq", ++seq_},
           {"type", "response"},
           {"request_seq", SeqOf(request)},
           {"success", false},
           {"command", command},
           {"message", e.message},
           {"body", {{"error", {{"id", 1}, {"format", e.message}}}}}});
  }
}

void Session::HandleRequest(const Json& request, const std::string& command) {
  if (TextOf(request, "type") != "request" || command.empty()) throw RequestError{"not a request"};
  struct Route {
    void (*serve)(Session& s, const Json& request, const Json& arguments);
    bool names_thread = false;  // the request names the one thread
  };
  static const std::unordered_map<std::string, Route> kRoutes = {
      {"initialize", {[](Session& s, const Json& r, const Json&) {
         s.Respond(r, s.Initialize());
         s.Event("initialized");
       }}},
      {"launch", {[](Session& s, const Json& r, const Json& a) { s.Respond(r, s.Launch(a)); }}},
      {"configurationDone", {[](Session& s, const Json& r, const Json&) {
         s.configured_ = true;
         s.Respond(r);
       }}},
      {"setBreakpoints",
       {[](Session& s, const Json& r, const Json& a) { s.Respond(r, s.SetBreakpoints(a)); }}},
      {"setFunctionBreakpoints", {[](Session& s, const Json& r, const Json& a) {
         s.Respond(r, s.SetFunctionBreakpoints(a));
       }}},
      {"setExceptionBreakpoints", {[](Session& s, const Json& r, const Json& a) {
         s.Respond(r, s.SetExceptionBreakpoints(a));
       }}},
      {"threads", {[](Session& s, const Json& r, const Json&) {
         s.Respond(r, {{"threads", Json::array({{{"id", 1}, {"name", "main"}}})}});
       }}},
      {"stackTrace",
       {[](Session& s, const Json& r, const Json&) { s.Respond(r, s.StackTrace()); }, true}},
      {"scopes", {[](Session& s, const Json& r, const Json& a) { s.Respond(r, s.Scopes(a)); }}},
      {"variables",
       {[](Session& s, const Json& r, const Json& a) { s.Respond(r, s.Variables(a)); }}},
      {"setVariable",
       {[](Session& s, const Json& r, const Json& a) { s.Respond(r, s.SetVariable(a)); }}},
      {"evaluate", {[](Session& s, const Json& r, const Json& a) { s.EvaluateRequest(r, a); }}},
      {"exceptionInfo",
       {[](Session& s, const Json& r, const Json&) { s.Respond(r, s.ExceptionInfo()); }, true}},
      {"pause",
       {[](Session& s, const Json& r, const Json&) {
          if (s.state_ == State::kRunning) s.debugger_.Pause();
          s.Respond(r);
        },
        true}},
      {"disconnect", {[](Session& s, const Json& r, const Json&) {
         s.Respond(r);
         throw SessionEnded{};
       }}},
      {"terminate", {[](Session& s, const Json& r, const Json&) {
         s.Respond(r);
         s.Event("terminated");
         throw SessionEnded{};
       }}},
      {"continue", {[](Session& s, const Json& r, const Json&) { s.Resume(r); }, true}},
      {"next", {[](Session& s, const Json& r, const Json&) { s.Resume(r); }, true}},
      {"stepIn", {[](Session& s, const Json& r, const Json&) { s.Resume(r); }, true}},
      {"stepOut", {[](Session& s, const Json& r, const Json&) { s.Resume(r); }, true}},
      {"stepBack", {[](Session& s, const Json& r, const Json&) { s.Resume(r); }, true}},
      {"reverseContinue", {[](Session& s, const Json& r, const Json&) { s.Resume(r); }, true}},
  };
  const Json& arguments = Arguments(request);
  const auto route = kRoutes.find(command);
  if (route == kRoutes.end()) throw RequestError{"unknown request: " + command};
  if (route->second.names_thread) RequireThread(arguments);
  route->second.serve(*this, request, arguments);
}

// evaluate: an expression, or one of the debugger's own forms (see docs/debugging.md).
void Session::EvaluateRequest(const Json& request, const Json& arguments) {
  int x = 0, y = 0;
  const auto expression = arguments.find("expression");
  const std::string text = expression != arguments.end() && expression->is_string()
                               ? expression->get<std::string>()
                               : "";
  if (std::sscanf(text.c_str(), "pixel %d , %d", &x, &y) == 2) {
    StartPixelQuery(request, x, y);
  } else {
    Respond(request, Evaluate(arguments));
  }
}

Json Session::Initialize() {
  return {{"supportsConfigurationDoneRequest", true},
          {"supportsFunctionBreakpoints", true},
          {"supportsConditionalBreakpoints", true},
          {"supportsHitConditionalBreakpoints", true},
          {"supportsLogPoints", true},
          {"supportsEvaluateForHovers", true},
          {"supportsSetVariable", true},
          {"supportsStepBack", true},
          {"supportsTerminateRequest", true},
          {"supportsExceptionInfoRequest", true},
          {"exceptionBreakpointFilters",
           Json::array({{{"filter", "errors"}, {"label", "Run-time errors"}, {"default", true}}})}};
}

Json Session::Launch(const Json& arguments) {
  if (launched_) throw RequestError{"the script is launched already"};
  LaunchArguments a;
  a.program = StringMember(arguments, "program", true);
  a.headless = BoolMember(arguments, "headless");
  a.stop_on_entry = BoolMember(arguments, "stopOnEntry");
  if (std::string events = StringMember(arguments, "events"); !events.empty()) a.events = events;
  if (std::string shot = StringMember(arguments, "screenshot"); !shot.empty()) a.screenshot = shot;
  if (const auto seed = arguments.find("seed"); seed != arguments.end() && !seed->is_null()) {
    if (!seed->is_number_unsigned() && !seed->is_number_integer()) {
      throw RequestError{"\"seed\" is not a whole number"};
    }
    a.seed = static_cast<uint32_t>(seed->get<int64_t>());
  }
  std::string reason;
  std::optional<std::string> text = ReadInput(a.program, reason);
  if (!text) throw RequestError{"cannot read " + a.program + ": " + reason};
  if (a.events) {
    std::optional<std::string> events = ReadInput(*a.events, reason);
    if (!events) throw RequestError{"cannot read " + *a.events + ": " + reason};
    timeline_text_ = std::move(*events);
  }
  if (a.events && !a.headless) throw RequestError{"\"events\" needs \"headless\": true"};
  // As the command line reads it (--encoding auto): a UTF-8 file becomes Windows-1252.
  source_ = DecodeScript(std::move(*text), ScriptEncoding::kAuto).text;
  script_ = std::make_unique<ScriptImage>();
  TokenizeResult read = Tokenize(source_, script_->tokens);
  if (read.error == TokenizerError::kNone) {
    script_->tokens.count = read.token_count;
    (void)PrePass({script_->tokens, script_->symbols, script_->blocks});
  }
  debugger_.SetScript(*script_, source_);
  // The first token bound to a name is where the script first writes it (its declaration):
  // walked backwards, the first is written last.
  const Symbols& s = script_->symbols;
  var_names_ = s.var_name;
  array_names_ = s.array_name;
  for (int p = script_->tokens.count; p >= 1; --p) {
    const size_t v = static_cast<size_t>(s.var_slot_of_token[p]);
    const size_t a = static_cast<size_t>(s.array_slot_of_token[p]);
    if (v > 0 && v < var_names_.size()) var_names_[v] = script_->tokens.text[p];
    if (a > 0 && a < array_names_.size()) array_names_[a] = script_->tokens.text[p];
  }
  launch_ = std::move(a);
  launched_ = true;
  return Json::object();
}

}  // namespace brindle::dap
