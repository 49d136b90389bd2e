#include "expr/eval.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "expr/compiler.h"
#include "expr/vm.h"
#include "lang/messages.h"
#include "runtime/faults.h"

namespace brindle {
namespace {

// The slow paths run the program as the grammar emitted it.
Program Compile(Interpreter& in, Rule rule) {
  Program program;
  ExprCompiler compiler(in.image.facts, in.cursor, program);
  switch (rule) {
    case Rule::kSum:
      compiler.Sum();
      break;
    case Rule::kFactor:
      compiler.Factor();
      break;
    case Rule::kText:
      compiler.Text();
      break;
    case Rule::kTextItem:
      compiler.TextItem();
      break;
    case Rule::kCondition:
      compiler.Condition();
      break;
    case Rule::kAssignment:
      compiler.Assignment(in.each_statement ? 1 : ExprCompiler::kMostAssignmentsInOneProgram);
      break;
  }
  program.end = compiler.cursor();
  if (!in.slow_paths) Optimize(program);
  MeasureDepths(program);
  if (!in.slow_paths) {
    FindTakenVariable(program);
    program.direct = MakeDirect(program, in.values.var_num.data());
  }
  return program;
}

// The first evaluation at a place, and evaluations whose copies describe another token.
[[gnu::noinline]] const Program& FindOrCompile(Interpreter& in, Rule rule) {
  ExprCache& cache = ExprCacheOf(in);
  const TokenCursor at = in.cursor;
  const Program** slot;
  if (at.cur == at.exec_pos) {
    slot = &cache.by_position[static_cast<int>(rule)][at.exec_pos];
  } else {
    auto& table = cache.stale_by_position[static_cast<int>(rule)];
    if (table.empty()) table.resize(kCursorLimit + 2);
    ExprCache::Stale& stale = table[at.exec_pos];
    if (stale.program == nullptr) stale.cur = at.cur;
    if (stale.cur == at.cur) {
      slot = &stale.program;
    } else {
      slot = &cache.others[{rule, at.cur, at.exec_pos}];
    }
  }
  if (*slot == nullptr) *slot = &cache.programs.emplace_back(Compile(in, rule));
  return **slot;
}

inline const Program& ProgramAt(Interpreter& in, Rule rule) {
  if (in.cursor.cur == in.cursor.exec_pos) {
    const Program* program =
        ExprCacheOf(in).by_position[static_cast<int>(rule)][in.cursor.exec_pos];
    if (program != nullptr) return *program;
  }
  return FindOrCompile(in, rule);
}

// Most expressions need a few stack entries; deeper ones get them from the heap.
constexpr int kLocalNumbers = 32;
constexpr int kLocalTexts = 4;

bool FitsLocalStacks(const Program& program) {
  return program.number_depth <= kLocalNumbers && program.text_depth <= kLocalTexts;
}

// The value a run left at the bottom of its stack.
template <typename Result>
Result ValueOf(float* numbers, std::string* texts) {
  if constexpr (std::is_same_v<Result, float>) {
    return numbers[0];
  } else {
    return std::move(texts[0]);
  }
}

template <typename Result>
[[gnu::noinline]] Result EvaluateWithHeap(Interpreter& in, const Program& program) {
  std::vector<float> numbers(std::max(program.number_depth, 1));
  std::vector<std::string> texts(std::max(program.text_depth, 1));
  RunStackCode(in, program, numbers.data(), texts.data());
  in.cursor = program.end;
  return ValueOf<Result>(numbers.data(), texts.data());
}

// A program on the stack machine: on local stacks when they are deep enough.
template <typename Result>
Result RunOnStackFor(Interpreter& in, const Program& program) {
  if (!FitsLocalStacks(program)) return EvaluateWithHeap<Result>(in, program);
  float numbers[kLocalNumbers];
  std::string texts[kLocalTexts];
  RunStackCode(in, program, numbers, texts);
  in.cursor = program.end;
  return ValueOf<Result>(numbers, texts);
}

// The general path: compiled afresh at every evaluation and run by the machine that knows
// every instruction, on stacks of exactly the measured depths.
template <typename Result>
[[gnu::noinline]] Result EvaluateSlowly(Interpreter& in, Rule rule) {
  const Program program = Compile(in, rule);
  return EvaluateWithHeap<Result>(in, program);
}

float EvaluateNumber(Interpreter& in, Rule rule) {
  if (in.slow_paths) [[unlikely]]
    return EvaluateSlowly<float>(in, rule);
  return RunNumberProgram(in, ProgramAt(in, rule));
}

std::string EvaluateText(Interpreter& in, Rule rule) {
  if (in.slow_paths) [[unlikely]]
    return EvaluateSlowly<std::string>(in, rule);
  return RunOnStackFor<std::string>(in, ProgramAt(in, rule));
}

// The general path of "name = sum": one statement, its sum read like any other.
[[gnu::noinline]] void AssignNumberSlowly(Interpreter& in) {
  const TokenInfo& target = InfoAtCursor(in);
  NextToken(in);
  NextToken(in);
  const float value = EvaluateNumber(in, Rule::kSum);
  if (target.var_type == KW_VAR) {
    in.values.var_num[target.var] = value;
  } else {
    in.values.var_ptr[target.var] = ToInteger(value);
  }
}

// Only appends reach a taken text, so its first bytes are still the variable's value.
void GiveBack(std::string& target, std::string& taken, size_t kept) {
  taken.resize(kept);
  target = std::move(taken);
}

// The general path: the value is built apart, then replaces the variable's.
void AssignTextByCopy(Interpreter& in, int var) {
  std::string& target = in.values.var_str[var];
  std::string value = EvaluateText(in, Rule::kText);
  if (!CountStoredText(in.values, target.size(), value.size())) {
    FailRun(in, msg::OutOfStringSpace());
  }
  target = std::move(value);
}

// "s = s + ...": the program appends to the variable's own text (Program::takes_var).
void AppendInPlace(Interpreter& in, int var, const Program& program) {
  std::string& target = in.values.var_str[var];
  float numbers[kLocalNumbers];
  std::string texts[kLocalTexts];
  const size_t kept = target.size();
  texts[0] = std::move(target);
  try {
    RunStackCode(in, program, numbers, texts, true);
  } catch (...) {
    GiveBack(target, texts[0], kept);
    throw;
  }
  if (!CountStoredText(in.values, kept, texts[0].size())) {
    GiveBack(target, texts[0], kept);
    FailRun(in, msg::OutOfStringSpace());
  }
  in.cursor = program.end;
  target = std::move(texts[0]);
}

}  // namespace

// A number program without three-address code: one that reads texts on the way (a string
// comparison, VAL) or has no such form.
float RunOnStack(Interpreter& in, const Program& program) {
  return RunOnStackFor<float>(in, program);
}

void AssignNumber(Interpreter& in) {
  if (in.slow_paths) [[unlikely]]
    return AssignNumberSlowly(in);
  EvaluateNumber(in, Rule::kAssignment);
}

void CompileAssignmentAt(Interpreter& in, int position) {
  if (in.slow_paths || KnownAssignmentAt(in, position) != nullptr) return;
  const TokenCursor cursor = in.cursor;
  in.cursor = {position, position};
  FindOrCompile(in, Rule::kAssignment);
  in.cursor = cursor;
}

void AssignText(Interpreter& in, int var) {
  if (in.slow_paths) [[unlikely]]
    return AssignTextByCopy(in, var);
  const Program& program = ProgramAt(in, Rule::kText);
  if (program.takes_var != var || !FitsLocalStacks(program)) return AssignTextByCopy(in, var);
  AppendInPlace(in, var, program);
}

float EvaluateSum(Interpreter& in) {
  return EvaluateNumber(in, Rule::kSum);
}
float EvalFactor(Interpreter& in) {
  return EvaluateNumber(in, Rule::kFactor);
}
int EvalCondition(Interpreter& in) {
  return static_cast<int>(EvaluateNumber(in, Rule::kCondition));
}
std::string EvalStr(Interpreter& in) {
  return EvaluateText(in, Rule::kText);
}
std::string EvalStrItem(Interpreter& in) {
  return EvaluateText(in, Rule::kTextItem);
}

}  // namespace brindle
