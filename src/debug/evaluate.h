// Expressions of the language typed into the debugger (watches, hovers, breakpoint
// conditions), evaluated on the stopped run's own values without changing any of them.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

struct Interpreter;
struct ScriptImage;

struct Evaluation {
  bool ok = false;
  bool text = false;  // a string expression's value; else a number's
  float number = 0.0f;
  std::string value;  // the text, or the number as PRINT writes it
  std::string error;  // why there is none
};

// A fault the evaluation met (TYPE ERROR, ...), thrown by the debugger's fault hook so that no
// box is shown and the run's outcome is untouched.
struct EvaluationFault {
  std::string text;
};

// The most tokens an expression may have: they are kept at the end of the token table, past
// any script short enough to leave room.
inline constexpr int kExpressionTokens = 48;

// as_condition: read as IF reads its condition (a comparison gives -1 or 0).
// The tokens go in image past the script's own, which the run never reads.
Evaluation Evaluate(Interpreter& in, ScriptImage& image, std::string_view expression,
                    bool as_condition = false);

}  // namespace brindle
