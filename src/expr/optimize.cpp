#include "expr/program.h"
#include "lang/token_kinds.h"

namespace brindle {
namespace {

// "s = \"text\"" and "s ! \"text\"": the variable and the literal are compared where they are,
// without copying either onto the text stack.
void FuseTextComparisons(std::vector<Instruction>& code) {
  std::vector<Instruction> out;
  out.reserve(code.size());
  for (size_t k = 0; k < code.size(); ++k) {
    if (k + 2 < code.size() && code[k].op == Op::kStrVar && code[k + 1].op == Op::kText &&
        code[k + 2].op == Op::kCompareTexts && code[k + 2].b == 0 &&
        (code[k + 2].a == TK_EQUAL || code[k + 2].a == TK_BANG)) {
      out.push_back({Op::kCompareStrVarText, code[k].a, code[k + 2].a, code[k + 1].a});
      k += 2;
      continue;
    }
    out.push_back(code[k]);
  }
  code = std::move(out);
}

}  // namespace

void Optimize(Program& program) {
  FuseTextComparisons(program.code);
}

}  // namespace brindle
