// One function per statement, reached through the executor's dispatch table; the table of
// keywords (lang/statements.h) names the function of each keyword.
#pragma once

#include <cstdint>

namespace brindle {

struct Interpreter;

// How the statement loop goes on after a statement.
enum class Flow : uint8_t {
  kTestEnd,      // back to the loop, which tests for the end of the tokens before going on
  kSkipEndTest,  // on to the next token at once, without that test
  kEndRun,       // the run is over
};

using Statement = Flow (*)(Interpreter&);

// Declarations, assignment, calls and event values.
Flow SkipDeclaration(Interpreter& in);
Flow IdentifierStatement(Interpreter& in);
Flow MouseXStatement(Interpreter& in);
Flow MouseYStatement(Interpreter& in);
Flow HwParamStatement(Interpreter& in);
Flow EndOfHandler(Interpreter& in);

// Control flow.
Flow IfStatement(Interpreter& in);
Flow ElseStatement(Interpreter& in);
Flow WhileStatement(Interpreter& in);
Flow WendStatement(Interpreter& in);
Flow GotoStatement(Interpreter& in);
Flow FuncStatement(Interpreter& in);
Flow EndFnStatement(Interpreter& in);
Flow CallFunction(Interpreter& in);

// Graphics.
Flow WColorStatement(Interpreter& in);
Flow FColorStatement(Interpreter& in);
Flow BColorStatement(Interpreter& in);
Flow PsetStatement(Interpreter& in);
Flow LineStatement(Interpreter& in);
Flow RectStatement(Interpreter& in);
Flow CircleStatement(Interpreter& in);
Flow PlotStatement(Interpreter& in);
Flow DrawStatement(Interpreter& in);
Flow PrintStatement(Interpreter& in);
Flow SwapStatement(Interpreter& in);

// Images.
Flow LoadImageStatement(Interpreter& in);
Flow ShowImageStatement(Interpreter& in);
Flow ShowImageTransparentStatement(Interpreter& in);

// Timer and tick count.
Flow GetTickStatement(Interpreter& in);
Flow TimerOnStatement(Interpreter& in);
Flow TimerOffStatement(Interpreter& in);

// Input boxes.
Flow InputBoxStatement(Interpreter& in);
Flow GetTextStatement(Interpreter& in);
Flow SetTextStatement(Interpreter& in);
Flow SetFocusStatement(Interpreter& in);

}  // namespace brindle
