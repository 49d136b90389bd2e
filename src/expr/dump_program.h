// Compiled expressions as text, for `brindle --dump`: a program's stack code and its
// three-address code, one instruction a line, with the script's names for what they read.
#pragma once

#include <string>
#include <string_view>

#include "expr/program.h"
#include "runtime/script_image.h"

namespace brindle {

// What turns operands into names: the symbol table, the token texts, and the VAR cells that
// three-address code reads in place.
struct CodeNames {
  const ScriptImage& image;
  const float* var_cells;
};

// "OpName  operands" for each stack instruction, each line starting with indent.
void AppendStackCode(const Program& program, const CodeNames& names, std::string_view indent,
                     std::string& out);

// "OpName  result <- operands" for each three-address instruction of program.direct (which
// must be there). Cells are named: a variable by its name, a constant by its value, the zero of
// a missing operand as 0, an instruction's result as tN (N its cell).
void AppendDirectCode(const Program& program, const CodeNames& names, std::string_view indent,
                      std::string& out);

// A token's text as a quoted literal; bytes below 0x20 or from 0x7F up as \xHH.
std::string QuotedText(std::string_view text);

// How a number reads in the listing: the shortest form that gives the float back.
std::string NumberText(float f);

// The text of an operator token kind (=, <, >, !, &, |), or its kind number.
std::string OperatorText(int kind);

// The spelling of a keyword code, or its number.
std::string KeywordText(int code);

}  // namespace brindle
