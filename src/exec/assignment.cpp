// Statements that begin with a name, declarations met at run time, and the event values.
#include "exec/executor.h"
#include "exec/scan.h"
#include "exec/statements.h"
#include "expr/eval.h"
#include "lang/messages.h"
#include "runtime/faults.h"

namespace brindle {
namespace {

// name "[" index "]" "=" value. The index is a number literal or an expression that starts
// with a name (a[i+1]); the cursor is moved directly onto it, so the evaluator still sees the
// array's name as the current token but the index's bindings.
Flow AssignElement(Interpreter& in) {
  const int statement = in.cursor.exec_pos;
  const int a = InfoAtCursor(in).array;
  const int type = in.image.symbols.array_type[a];
  in.cursor.exec_pos += 2;
  const int index_kind = InfoAtCursor(in).kind;
  int index;
  if (index_kind == TK_NUMBER) {
    index = ToInteger(TextToNumber(in.image.tokens.text[in.cursor.exec_pos]));
    in.cursor.exec_pos += 1;
  } else if (index_kind == TK_IDENT) {
    index = ToInteger(EvalNum(in));
  } else {
    return Flow::kTestEnd;
  }
  // Without "=" after the "]" (a PTR p[3] declaration met at run time) nothing is stored.
  if (NextKind(in) != TK_EQUAL) return Flow::kTestEnd;
  in.cursor.exec_pos += 1;
  if (type == KW_STR) {
    if (!WriteArrayStr(in.values, a, index, NextEvalStr(in))) {
      FailRun(in, msg::OutOfStringSpace());
    }
    return Flow::kTestEnd;
  }
  if (type == KW_VAR) {
    WriteArrayNum(in.values, a, index, NextEvalNum(in));
  } else if (type == KW_PTR) {
    WriteArrayPtr(in.values, a, index, ToInteger(NextEvalNum(in)));
  } else {
    NextEvalNum(in);
    return Flow::kTestEnd;
  }
  // Found to be a number element's assignment: from now on it runs compiled.
  CompileAssignmentAt(in, statement);
  return Flow::kTestEnd;
}

// name "=" value; anything else that starts with a variable does nothing.
Flow AssignVariable(Interpreter& in) {
  if (NextKind(in) != TK_EQUAL) return Flow::kTestEnd;
  const int v = VarAtCursor(in);
  switch (in.image.symbols.var_type[v]) {
    case KW_VAR:
    case KW_PTR:
      AssignNumber(in);
      break;
    case KW_STR:
      NextToken(in);
      NextToken(in);
      AssignText(in, v);
      break;
  }
  return Flow::kTestEnd;
}

}  // namespace

// A VAR or STR line declares nothing at run time; a PTR line runs as the assignment in it.
Flow SkipDeclaration(Interpreter& in) {
  ScanForwardTo(in, TK_COLON, TK_EOL);
  return Flow::kTestEnd;
}

Flow IdentifierStatement(Interpreter& in) {
  if (const Program* assignment = KnownAssignmentAt(in, in.cursor.exec_pos)) {
    RunNumberProgram(in, *assignment);
    return Flow::kTestEnd;
  }
  switch (NextKind(in)) {
    case TK_LBRACKET:
      return AssignElement(in);
    case TK_LPAREN:
      return CallFunction(in);
    default:
      return AssignVariable(in);
  }
}

Flow MouseXStatement(Interpreter& in) {
  NextToken(in);
  if (VarTypeAtCursor(in) == KW_VAR) {
    in.values.var_num[VarAtCursor(in)] = static_cast<float>(in.events.mouse_x);
  }
  return Flow::kTestEnd;
}

Flow MouseYStatement(Interpreter& in) {
  NextToken(in);
  if (VarTypeAtCursor(in) == KW_VAR) {
    in.values.var_num[VarAtCursor(in)] = static_cast<float>(in.events.mouse_y);
  }
  return Flow::kTestEnd;
}

Flow HwParamStatement(Interpreter& in) {
  NextToken(in);
  const int v = VarAtCursor(in);
  if (in.image.symbols.var_type[v] == KW_VAR)
    in.values.var_num[v] = static_cast<float>(in.events.wparam);
  if (in.image.symbols.var_type[v] == KW_PTR) in.values.var_ptr[v] = in.events.wparam;
  return Flow::kTestEnd;
}

// Ends a handler run, and a main run that runs into a handler block.
Flow EndOfHandler(Interpreter&) {
  return Flow::kEndRun;
}

}  // namespace brindle
