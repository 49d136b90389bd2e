#include "exec/arguments.h"

namespace brindle {

float PlainArgument(Interpreter& in, int statement, int index) {
  float& value = in.process.plain_args[statement][index];
  if (CurKind(in) == TK_NUMBER) {
    value = CurNumber(in);
  } else if (CurKind(in) == TK_IDENT && VarTypeAtCursor(in) == KW_VAR) {
    value = in.values.var_num[VarAtCursor(in)];
  }
  return value;
}

}  // namespace brindle
