// Every caption and text that a script can see, beside the routine that shows them. Compare
// this file with the language reference line by line: the spellings are the program's own
// ("witout", "Hendler"), and scripts rely on them.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

struct Message {
  std::string caption;
  std::string text;
  // The token where the fault was found, for the report on standard error; 0 when the code
  // that found it does not say (the statement being checked or run is used then).
  int token = 0;
};

// The message, found at token p.
inline Message FoundAt(Message message, int p) {
  message.token = p;
  return message;
}

namespace msg {

// Run driver.
Message ProgramExit();
Message TokenizerTerminated();
Message TokenStatistics(int tokens, int lines);
inline constexpr std::string_view kStatisticsCaption = "Tokenizer";

// Tokenizer: line is the number of line ends before the fault.
Message UnknownToken(char byte, int line);
Message UnclosedQuote(int line);
Message MissingRightParen(int line);
Message MissingLeftParen(int line);
Message MissingRightBracket(int line);
Message MissingLeftBracket(int line);
Message TooManyTokens(int line);

// Pre-pass: declarations, names and labels. line is 1-based.
Message LabelWithoutName(std::string_view token, int line);
Message FunctionWithoutName(std::string_view token, int line);
Message MissingVariableAfter(std::string_view keyword, int line);
Message VariableNotFound(std::string_view name, int line);
Message ArrayNotFound(std::string_view name, int line);
Message FunctionNotFoundAtLine(std::string_view name, int line);
Message GotoWithoutName(std::string_view token, int line);
Message LabelNotFound(std::string_view name, int line);
Message TooManyVariables(std::string_view name, int line);
Message TooManyArrays(std::string_view name, int line);

// Pre-pass: handlers and block balance.
Message HandlerWithoutName(std::string_view token, int line);
Message HandlerNameNotValid(std::string_view name, int line);
Message WhileWithoutWend();
Message WendWithoutWhile();
Message IfWithoutEndif();
Message EndifWithoutIf();
Message FuncWithoutEndfn();
Message EndfnWithoutFunc();
Message WinmsgWithoutEndwm();
Message EndwmWithoutWinmsg();

// Pre-pass: statement argument checks. The fault texts end in "-{ "; the check appends the
// token and the line.
namespace fault {
inline constexpr std::string_view kInvalidArgument1 = "Invalid Argument(1)! -{ ";
inline constexpr std::string_view kWrongArgument1 = "Wrong Argument(1)! -{ ";
inline constexpr std::string_view kWrongArgument2 = "Wrong Argument(2)! -{ ";
inline constexpr std::string_view kWrongArgument3 = "Wrong Argument(3)! -{ ";
inline constexpr std::string_view kWrongArgument4 = "Wrong Argument(4)! -{ ";
inline constexpr std::string_view kWrongArgument5 = "Wrong Argument(5)! -{ ";
inline constexpr std::string_view kWrongArgument6 = "Wrong Argument(6)! -{ ";
inline constexpr std::string_view kWrongArgument7 = "Wrong Argument(7)! -{ ";
inline constexpr std::string_view kWrongArgumentLater = "Wrong Argument()2! -{ ";
inline constexpr std::string_view kWrongOperator = "Wrong operator(2)! -{ ";
inline constexpr std::string_view kCommaSeparator = "Comma Separator ? -{ ";
inline constexpr std::string_view kCommaSeparatorWide = "Comma Separator ?  -{ ";
}  // namespace fault
Message ArgumentFault(std::string_view caption, std::string_view fault_text, std::string_view token,
                      int line);

// Run time.
Message WrongType(std::string_view token);
Message NotString(std::string_view token);
Message FunctionNotFound(std::string_view name);
Message TooManyNestedCalls();
Message StringTooLong();
Message OutOfStringSpace();
Message HandleUnknown(std::string_view token);
Message InputBoxNotCreated();
Message InvalidString(std::string_view token);
Message InvalidVariableType(std::string_view token);

}  // namespace msg
}  // namespace brindle
