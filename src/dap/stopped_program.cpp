// The session's requests about the stopped program (its stack, its values, expressions) and
// about where it is to stop.
#include <filesystem>

#include "dap/session.h"
#include "debug/evaluate.h"
#include "lang/keywords.h"
#include "lang/numbers.h"
#include "lang/text.h"
#include "lsp/document_text.h"
#include "pictures/png_writer.h"
#include "platform/input_boxes.h"
#include "runtime/interpreter.h"

namespace brindle::dap {
namespace {

// Variables references: the scopes, then each array by its number.
enum Scope : int {
  kVariables = 1,
  kArrays,
  kEventValues,
  kDrawing,
  kTimer,
  kInputBoxes,
  kFirstArray = 1000,
};

const char* TypeName(int type) {
  return type == KW_STR ? "STR" : type == KW_PTR ? "PTR" : "VAR";
}

// A text of the script (Windows-1252 bytes) as the client reads it, in UTF-8.
std::string Quoted(const std::string& text) {
  return "\"" + lsp::Utf8Text(text) + "\"";
}

std::string ColorText(ColorRef c) {
  return std::to_string(c & 0xff) + ", " + std::to_string((c >> 8) & 0xff) + ", " +
         std::to_string((c >> 16) & 0xff);
}

Json Variable(const std::string& name, const std::string& value, const std::string& type = "",
              int reference = 0) {
  Json v = {{"name", name}, {"value", value}, {"variablesReference", reference}};
  if (!type.empty()) v["type"] = type;
  return v;
}

std::string ValueOf(const Interpreter& in, int var) {
  switch (in.image.symbols.var_type[var]) {
    case KW_STR:
      return Quoted(in.values.var_str[var]);
    case KW_PTR:
      return std::to_string(in.values.var_ptr[var]);
    default:
      return NumberToText(in.values.var_num[var]);
  }
}

std::string ElementOf(const Interpreter& in, int array, int i) {
  switch (in.image.symbols.array_type[array]) {
    case KW_STR:
      return Quoted(in.values.array_str.ReadText(array, i));
    case KW_PTR:
      return std::to_string(in.values.array_ptr.Read(array, i));
    default:
      return NumberToText(in.values.array_num.Read(array, i));
  }
}

int IntegerMember(const Json& object, const char* key, int otherwise) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_number_integer()) return otherwise;
  return static_cast<int>(std::clamp<int64_t>(found->get<int64_t>(), INT32_MIN, INT32_MAX));
}

}  // namespace

Json Session::StackTrace() const {
  Stopped();
  Json frames = Json::array();
  int id = 0;
  const std::string name = std::filesystem::path(launch_.program).filename().string();
  for (const Frame& f : debugger_.Frames()) {
    frames.push_back({{"id", ++id},
                      {"name", f.name},
                      {"source", {{"name", name}, {"path", launch_.program}}},
                      {"line", debugger_.LineOf(f.token)},
                      {"column", debugger_.ColumnOf(f.token)}});
  }
  return {{"stackFrames", frames}, {"totalFrames", frames.size()}};
}

Json Session::Scopes(const Json& arguments) const {
  Stopped();
  const auto frame = arguments.find("frameId");
  if (frame == arguments.end() || !frame->is_number_integer()) {
    throw RequestError{"missing \"frameId\""};
  }
  if (frame->get<int64_t>() < 1 ||
      frame->get<int64_t>() > static_cast<int64_t>(debugger_.Frames().size())) {
    throw RequestError{"no frame " + frame->dump()};
  }
  Json scopes = Json::array();
  const std::pair<int, const char*> kScopes[] = {
      {kVariables, "Variables"}, {kArrays, "Arrays"}, {kEventValues, "Event values"},
      {kDrawing, "Drawing"},     {kTimer, "Timer"},   {kInputBoxes, "Input boxes"}};
  for (const auto& [reference, name] : kScopes) {
    scopes.push_back({{"name", name}, {"variablesReference", reference}, {"expensive", false}});
  }
  return {{"scopes", scopes}};
}

Json Session::Variables(const Json& arguments) const {
  const Interpreter& in = Stopped();
  const Symbols& s = in.image.symbols;
  const int reference = IntegerMember(arguments, "variablesReference", 0);
  Json out = Json::array();
  if (reference == kVariables) {
    for (int v = 1; v <= s.var_count; ++v) {
      out.push_back(Variable(var_names_[v], ValueOf(in, v), TypeName(s.var_type[v])));
    }
  } else if (reference == kArrays) {
    for (int a = 1; a <= s.array_count; ++a) {
      Json v = Variable(array_names_[a] + "[]", std::string(TypeName(s.array_type[a])) + " array",
                        TypeName(s.array_type[a]), kFirstArray + a);
      v["indexedVariables"] = kArrayCells;
      out.push_back(v);
    }
  } else if (reference > kFirstArray && reference <= kFirstArray + s.array_count) {
    const int a = reference - kFirstArray;
    const int start = std::clamp(IntegerMember(arguments, "start", 0), 0, kArrayCells);
    const int count =
        std::clamp(IntegerMember(arguments, "count", kArrayCells), 0, kArrayCells - start);
    for (int i = start + 1; i <= start + count; ++i) {
      out.push_back(Variable("[" + std::to_string(i) + "]", ElementOf(in, a, i)));
    }
  } else if (reference == kEventValues) {
    out.push_back(Variable("MOUSEX", std::to_string(in.events.mouse_x)));
    out.push_back(Variable("MOUSEY", std::to_string(in.events.mouse_y)));
    out.push_back(Variable("HWPARAM", std::to_string(in.events.wparam)));
  } else if (reference == kDrawing) {
    out.push_back(Variable("FCOLOR", ColorText(in.process.fore_color)));
    out.push_back(Variable("BCOLOR", ColorText(in.process.back_color)));
    out.push_back(Variable(
        "pen", std::to_string(in.process.pen_x) + ", " + std::to_string(in.process.pen_y)));
  } else if (reference == kTimer) {
    out.push_back(Variable("interval", std::to_string(in.process.timer_interval)));
    out.push_back(Variable("running", in.process.timer_running ? "yes" : "no"));
  } else if (reference == kInputBoxes) {
    out.push_back(Variable("newest", std::to_string(in.process.input_box_handle)));
    out.push_back(Variable("current", std::to_string(in.process.current_control)));
    for (const InputBox& box : in.platform.input_boxes().boxes()) {
      out.push_back(Variable("box " + std::to_string(box.handle),
                             Quoted(in.platform.input_boxes().Text(box.handle).value_or("")) +
                                 (box.visible ? "" : " (hidden)")));
    }
  } else {
    throw RequestError{"no such variables reference"};
  }
  return {{"variables", out}};
}

Json Session::SetVariable(const Json& arguments) {
  Interpreter& in = Stopped();
  const Symbols& s = in.image.symbols;
  const int reference = IntegerMember(arguments, "variablesReference", 0);
  const auto name = arguments.find("name");
  const auto value = arguments.find("value");
  if (name == arguments.end() || !name->is_string() || value == arguments.end() ||
      !value->is_string()) {
    throw RequestError{"setVariable needs a name and a value"};
  }
  int var = 0, array = 0, index = 0;
  if (reference == kVariables) {
    const auto found = s.first_var.find(LowerCase(name->get<std::string>()));
    if (found == s.first_var.end()) throw RequestError{"no variable " + name->get<std::string>()};
    var = found->second;
  } else if (reference > kFirstArray && reference <= kFirstArray + s.array_count) {
    array = reference - kFirstArray;
    index = std::atoi(name->get<std::string>().c_str() + 1);
    if (index < 1 || index > kArrayCells)
      throw RequestError{"no element " + name->get<std::string>()};
  } else {
    throw RequestError{"only variables and array elements can be set"};
  }
  const int type = var > 0 ? s.var_type[var] : s.array_type[array];
  std::string text = lsp::ScriptBytes(value->get<std::string>());
  debugger_.evaluating = true;
  Evaluation e = brindle::Evaluate(in, *debugger_.image(), text);
  debugger_.evaluating = false;
  if (type == KW_STR && !(e.ok && e.text)) {
    e = {true, true, 0.0f, text, ""};  // a text typed without its quotes
  }
  if (!e.ok) throw RequestError{e.error};
  if (type != KW_STR && e.text)
    throw RequestError{"a " + std::string(TypeName(type)) + " holds a number"};
  const std::string old = var > 0
                              ? (type == KW_STR ? in.values.var_str[var] : "")
                              : (type == KW_STR ? in.values.array_str.ReadText(array, index) : "");
  if (type == KW_STR && !CountStoredText(in.values, old.size(), e.value.size())) {
    throw RequestError{"out of string space"};
  }
  debugger_.SetByHand([var, array, index, type, e](Interpreter& in) {
    if (var > 0) {
      if (type == KW_STR) in.values.var_str[var] = e.value;
      if (type == KW_VAR) in.values.var_num[var] = e.number;
      if (type == KW_PTR) in.values.var_ptr[var] = ToInteger(e.number);
      return;
    }
    if (type == KW_STR) in.values.array_str.Write(array, index, e.value);
    if (type == KW_VAR) in.values.array_num.Write(array, index, e.number);
    if (type == KW_PTR) in.values.array_ptr.Write(array, index, ToInteger(e.number));
  });
  // The run goes another way from here than the window's answers so far were given to.
  if (window_ != nullptr) window_->CutHere();
  return {{"value", var > 0 ? ValueOf(in, var) : ElementOf(in, array, index)}};
}

Json Session::Evaluate(const Json& arguments) {
  Interpreter& in = Stopped();
  const auto expression = arguments.find("expression");
  if (expression == arguments.end() || !expression->is_string()) {
    throw RequestError{"missing \"expression\""};
  }
  const std::string text = lsp::ScriptBytes(expression->get<std::string>());
  if (text.rfind("screenshot ", 0) == 0) {
    const std::string file = text.substr(11);
    std::string reason;
    if (!WritePng(in.canvas.pixels(), Canvas::kWidth, Canvas::kHeight, file, &reason)) {
      throw RequestError{"cannot write " + file + ": " + reason};
    }
    return {{"result", "wrote " + file}, {"variablesReference", 0}};
  }
  debugger_.evaluating = true;
  const Evaluation e = brindle::Evaluate(in, *debugger_.image(), text);
  debugger_.evaluating = false;
  if (!e.ok) throw RequestError{e.error};
  return {{"result", e.text ? Quoted(e.value) : e.value},
          {"type", e.text ? "STR" : "VAR"},
          {"variablesReference", 0}};
}

Json Session::ExceptionInfo() const {
  Stopped();
  if (last_stop_.reason != "exception") throw RequestError{"the program did not stop at an error"};
  return {{"exceptionId", lsp::Utf8Text(last_stop_.caption)},
          {"description", lsp::Utf8Text(last_stop_.caption + ": " + last_stop_.text)},
          {"breakMode", "always"}};
}

Json Session::SetBreakpoints(const Json& arguments) {
  if (!launched_) throw RequestError{"launch first"};
  const auto source = arguments.find("source");
  if (source == arguments.end() || !source->is_object()) throw RequestError{"missing \"source\""};
  const auto list = arguments.find("breakpoints");
  std::vector<Breakpoint> breakpoints;
  if (list != arguments.end() && !list->is_array()) {
    throw RequestError{"\"breakpoints\" is not a list"};
  }
  if (list != arguments.end()) {
    for (const Json& b : *list) {
      if (!b.is_object()) throw RequestError{"a breakpoint is not an object"};
      const auto line = b.find("line");
      if (line == b.end() || !line->is_number_integer()) {
        throw RequestError{"a breakpoint needs a line"};
      }
      Breakpoint bp;
      bp.line = IntegerMember(b, "line", 0);
      for (const char* key : {"condition", "hitCondition", "logMessage"}) {
        if (b.contains(key) && !b[key].is_string()) {
          throw RequestError{std::string("\"") + key + "\" is not a string"};
        }
      }
      bp.condition = lsp::ScriptBytes(b.value("condition", ""));
      bp.hit_condition = b.value("hitCondition", "");
      bp.log_message = lsp::ScriptBytes(b.value("logMessage", ""));
      breakpoints.push_back(bp);
    }
  }
  debugger_.SetLineBreakpoints(std::move(breakpoints));
  Json out = Json::array();
  for (const Breakpoint& b : debugger_.line_breakpoints()) {
    Json r = {{"verified", b.token > 0}};
    if (b.token > 0) r["line"] = debugger_.LineOf(b.token);
    if (b.token == 0) r["message"] = "no statement at or after this line";
    out.push_back(r);
  }
  return {{"breakpoints", out}};
}

Json Session::SetFunctionBreakpoints(const Json& arguments) {
  if (!launched_) throw RequestError{"launch first"};
  std::vector<std::string> names;
  const auto list = arguments.find("breakpoints");
  if (list == arguments.end() || !list->is_array()) {
    throw RequestError{"\"breakpoints\" is not a list"};
  }
  {
    for (const Json& b : *list) {
      if (!b.is_object() || !b.contains("name") || !b["name"].is_string()) {
        throw RequestError{"a function breakpoint needs a name"};
      }
      names.push_back(b["name"].get<std::string>());
    }
  }
  Json out = Json::array();
  for (bool known : debugger_.SetFunctionBreakpoints(names)) {
    Json r = {{"verified", known}};
    if (!known) r["message"] = "no FUNC or handler block of that name";
    out.push_back(r);
  }
  return {{"breakpoints", out}};
}

Json Session::SetExceptionBreakpoints(const Json& arguments) {
  bool errors = false;
  const auto filters = arguments.find("filters");
  if (filters != arguments.end() && filters->is_array()) {
    for (const Json& f : *filters) errors = errors || (f.is_string() && f == "errors");
  }
  debugger_.StopOnErrors(errors);
  return Json::object();
}

}  // namespace brindle::dap
