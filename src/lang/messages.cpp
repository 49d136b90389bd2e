#include "lang/messages.h"

#include <string>

namespace brindle {

namespace msg {
namespace {

std::string Cat(std::string_view a, std::string_view b = {}, std::string_view c = {},
                std::string_view d = {}) {
  std::string s;
  s.reserve(a.size() + b.size() + c.size() + d.size());
  s.append(a).append(b).append(c).append(d);
  return s;
}

std::string Num(int n) {
  return std::to_string(n);
}

// "fault -{ token }-Line: n", the layout of the pre-pass.
Message TokenAndLine(std::string_view caption, std::string_view fault, std::string_view token,
                     int line) {
  return {std::string(caption), Cat(fault, token, " }-Line: ", Num(line))};
}

}  // namespace

Message ProgramExit() {
  return {"Program Exit!", "END"};
}
Message TokenizerTerminated() {
  return {"Process Terminated!", "EXIT from TOKENIZER"};
}
Message TokenStatistics(int tokens, int lines) {
  return {std::string(kStatisticsCaption),
          Cat("Number of tokens: ", Num(tokens), "\r\nNumber of lines: ", Num(lines))};
}

Message UnknownToken(char byte, int line) {
  return {"T:Error",
          Cat("Unknown token!-[ ", std::string_view(&byte, 1), " ] at LINE: ", Num(line))};
}
Message UnclosedQuote(int line) {
  return {"T:Error", Cat("Unclosed Quote!- at LINE: ", Num(line))};
}
Message MissingRightParen(int line) {
  return {"T:Error", Cat("Missing right paren! ((...)- at LINE: ", Num(line))};
}
Message MissingLeftParen(int line) {
  return {"T:Error", Cat("Missing left paren! (...))- at LINE: ", Num(line))};
}
Message MissingRightBracket(int line) {
  return {"T:Error", Cat("Missing right bracket!- at LINE: ", Num(line))};
}
Message MissingLeftBracket(int line) {
  return {"T:Error", Cat("Missing left bracket!- at LINE: ", Num(line))};
}
Message TooManyTokens(int line) {
  return {"T:Error", Cat("Too many tokens!- at LINE: ", Num(line))};
}

Message LabelWithoutName(std::string_view token, int line) {
  return TokenAndLine("ERROR~LABEL", "Label witout name! -{ ", token, line);
}
Message FunctionWithoutName(std::string_view token, int line) {
  return TokenAndLine("ERROR~FUNC", "Function witout name! -{ ", token, line);
}
Message MissingVariableAfter(std::string_view keyword, int line) {
  return {"ERROR", Cat("Missing variable after ", keyword, "! line: ", Num(line))};
}
Message VariableNotFound(std::string_view name, int line) {
  return TokenAndLine("ERROR", "Variable ID not found! -{ ", name, line);
}
Message ArrayNotFound(std::string_view name, int line) {
  return TokenAndLine("ERROR", "Array ID not found! -{ ", name, line);
}
Message FunctionNotFoundAtLine(std::string_view name, int line) {
  return TokenAndLine("FN_ERROR", "Function not found! -{ ", name, line);
}
Message GotoWithoutName(std::string_view token, int line) {
  return TokenAndLine("ERROR~GOTO", "Goto witout name! -{ ", token, line);
}
Message LabelNotFound(std::string_view name, int line) {
  return {"ERROR~GOTO", Cat("Cannot found label :", name, " -Line: ", Num(line))};
}
Message TooManyVariables(std::string_view name, int line) {
  return TokenAndLine("ERROR", "Too many variables! -{ ", name, line);
}
Message TooManyArrays(std::string_view name, int line) {
  return TokenAndLine("ERROR", "Too many arrays! -{ ", name, line);
}

Message HandlerWithoutName(std::string_view token, int line) {
  return TokenAndLine("ERROR~WIN_MSG", "Invalid Argument(1)! -{ ", token, line);
}
Message HandlerNameNotValid(std::string_view name, int line) {
  return TokenAndLine("ERROR", "Message not valid! -{ ", name, line);
}
Message WhileWithoutWend() {
  return {"LOOP ERROR", "WHILE without WEND , check code!"};
}
Message WendWithoutWhile() {
  return {"LOOP ERROR", "WEND without WHILE , check code!"};
}
Message IfWithoutEndif() {
  return {"IF/ENDIF ERROR", "IF without ENDIF , check code!"};
}
Message EndifWithoutIf() {
  return {"IF/ENDIF ERROR", "ENDIF without IF , check code!"};
}
Message FuncWithoutEndfn() {
  return {"FUNC ERROR", "FUNC without ENDFN , check code!"};
}
Message EndfnWithoutFunc() {
  return {"FUNC ERROR", "ENDFN without FUNC , check code!"};
}
Message WinmsgWithoutEndwm() {
  return {"WMSG ERROR", "WINMSG without ENDWM , check code!"};
}
Message EndwmWithoutWinmsg() {
  return {"WMSG ERROR", "ENDWM without WINMSG, check code!"};
}

Message ArgumentFault(std::string_view caption, std::string_view fault_text, std::string_view token,
                      int line) {
  return TokenAndLine(caption, fault_text, token, line);
}

Message WrongType(std::string_view token) {
  return {"ERROR", Cat("Wrong Type! ", token)};
}
Message NotString(std::string_view token) {
  return {"TYPE ERROR", Cat("Not String! -{ ", token, " }")};
}
Message FunctionNotFound(std::string_view name) {
  return {"FN_ERROR", Cat("Function not found! -{ ", name, " }")};
}
Message TooManyNestedCalls() {
  return {"ERROR", "Too many nested calls!"};
}
// Our own: a string value beyond kMaxTextLength.
Message StringTooLong() {
  return {"ERROR", "String too long!"};
}
// Our own: stored text beyond kMaxStoredText.
Message OutOfStringSpace() {
  return {"ERROR", "Out of string space!"};
}
Message HandleUnknown(std::string_view token) {
  return {"Hendler Error!", Cat("Hendler unknown! : ", token)};
}
Message InputBoxNotCreated() {
  return {"InputBox Error!", "InputBox Not Created!"};
}
Message InvalidString(std::string_view token) {
  return {"Type Error!", Cat("Invalid string! : ", token)};
}
Message InvalidVariableType(std::string_view token) {
  return {"Type Error!", Cat("Invalid Variable Type! : ", token)};
}

}  // namespace msg
}  // namespace brindle
