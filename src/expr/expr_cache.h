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
  std::array<ZeroTable<const Program*>, kRuleCount> by_position;
  // The others (an element index read while the copies still describe the array's name), by
  // rule and read position, with the copied position they were compiled for.
  struct Stale {
    int cur = 0;
    const Program* program = nullptr;
  };
  std::array<std::vector<Stale>, kRuleCount> stale_by_position;  // made when first needed
  // When one position is read both ways: by rule, copied position and read position.
  std::map<std::tuple<Rule, int, int>, const Program*> others;
};

// An interpreter with its compiled expressions. Made only as the base of an Executor
// (exec/block_cache.h), which adds what the blocks' first runs found.
struct Evaluator : Interpreter {
  ExprCache exprs;

 private:
  friend struct Executor;
  Evaluator(const ScriptImage& script, Platform& p, std::string path)
      : Interpreter(script, p, std::move(path)) {}
  ~Evaluator() = default;
};

struct KeptProgram {
  int position = 0;  // where the read starts
  int cur = 0;       // the token the cursor's copies describe when it starts
  Rule rule = Rule::kSum;
  const Program* program = nullptr;
};

// Every program of the cache, by where it is kept, in order of position, rule and copied
// token: what `brindle --dump` lists.
std::vector<KeptProgram> KeptPrograms(const ExprCache& cache);

inline ExprCache& ExprCacheOf(Interpreter& in) {
  return static_cast<Evaluator&>(in).exprs;
}
inline const ExprCache& ExprCacheOf(const Interpreter& in) {
  return static_cast<const Evaluator&>(in).exprs;
}

}  // namespace brindle
