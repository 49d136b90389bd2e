// Compiled expressions, kept by where their evaluation starts.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <tuple>
#include <vector>

#include "expr/program.h"
#include "frontend/zero_table.h"
#include "runtime/interpreter.h"

namespace brindle {

struct ExprCache {
  ExprCache() {
    for (auto& table : by_position) table = ZeroTable<const Program*>(kCursorLimit + 2);
  }

  std::deque<Program> programs;  // a deque, so that a running program never moves
  // For evaluations that start with the cursor's copies describing the token at the cursor
  // (all but one): the program by rule and position, null when not compiled yet.
  std::array<ZeroTable<const Program*>, 6> by_position;
  // The others (an element index read while the copies still describe the array's name), by
  // rule and read position, with the copied position they were compiled for.
  struct Stale {
    int cur = 0;
    const Program* program = nullptr;
  };
  std::array<std::vector<Stale>, 6> stale_by_position;  // made when first needed
  // When one position is read both ways: by rule, copied position and read position.
  std::map<std::tuple<Rule, int, int>, const Program*> others;
};

// An interpreter with its compiled expressions: what the expression layer's tests make.
struct Evaluator : Interpreter {
  Evaluator(const ScriptImage& script, Platform& p, std::string path)
      : Interpreter(script, p, std::move(path)) {}
  ExprCache exprs;
};

inline ExprCache& ExprCacheOf(Interpreter& in) {
  return static_cast<Evaluator&>(in).exprs;
}
inline const ExprCache& ExprCacheOf(const Interpreter& in) {
  return static_cast<const Evaluator&>(in).exprs;
}

}  // namespace brindle
