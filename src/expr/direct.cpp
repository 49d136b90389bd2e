// From stack code to three-address code: the translation runs the stack machine on operands
// instead of values. A variable or a constant is pushed as where it lives and read only by the
// instruction that consumes it, which is exact because nothing between the push and that
// instruction can change it: an expression stores nothing, and an assignment program stores
// only when its stack is empty (otherwise it is left to the stack machine). Everything else
// becomes an instruction in the stack code's order, so every element read, function and
// store happens in the same order as there.
#include "expr/direct.h"

#include <algorithm>
#include <optional>

#include "expr/program.h"
#include "lang/numbers.h"
#include "lang/token_kinds.h"

namespace brindle {
namespace {

class Translator {
 public:
  Translator(const Program& program, float* var_cells)
      : program_(program), vars_(var_cells), direct_(std::make_unique<DirectProgram>()) {
    // Each stack instruction makes at most a constant and a result; cell 0 is the zero that
    // stands for a comparison's missing operand.
    direct_->cells = std::make_unique<float[]>(2 * program.code.size() + 1);
    next_cell_ = 1;
  }

  std::unique_ptr<DirectProgram> Translate() {
    for (const Instruction& i : program_.code) {
      if (!Step(i)) return nullptr;
    }
    direct_->result = stack_.empty() ? Zero() : stack_.front();
    direct_->code.push_back({DirectOp::kEnd, 0, 0, nullptr, direct_->result});
    direct_->pure = std::all_of(direct_->code.begin(), direct_->code.end(),
                                [](const DirectInstruction& i) { return IsPure(i.op); });
    return std::move(direct_);
  }

 private:
  bool Step(const Instruction& i);
  bool Binary(DirectOp op);
  bool Element(bool number_array, int32_t array);
  bool Store(DirectOp op, int32_t x);
  bool FuseElementUpdate(int32_t array, const float* index, const float* value);
  bool StoreVar(int32_t var);

  const float* Zero() const { return &direct_->cells[0]; }
  const float* Var(int32_t var) const { return vars_ + var; }
  const float* Constant(float f) {
    direct_->cells[next_cell_] = f;
    constants_.push_back(&direct_->cells[next_cell_]);
    return &direct_->cells[next_cell_++];
  }
  bool IsConstant(const float* cell) const {
    return std::find(constants_.begin(), constants_.end(), cell) != constants_.end();
  }
  // Emits an instruction whose result is pushed.
  void Push(DirectOp op, const float* a = nullptr, const float* b = nullptr, int32_t x = 0,
            int32_t index = 0) {
    float* out = &direct_->cells[next_cell_++];
    direct_->code.push_back({op, x, index, out, a, b});
    stack_.push_back(out);
    last_result_ = out;
  }
  bool Pop(const float*& operand) {
    if (stack_.empty()) return false;
    operand = stack_.back();
    stack_.pop_back();
    return true;
  }

  const Program& program_;
  float* vars_;
  std::unique_ptr<DirectProgram> direct_;
  size_t next_cell_ = 0;
  std::vector<const float*> stack_;
  std::vector<const float*> constants_;
  const float* last_result_ = nullptr;  // the newest instruction's result cell
};

// The operator of an arithmetic opcode, fused or not.
std::optional<DirectOp> Arithmetic(Op op) {
  switch (op) {
    case Op::kAdd:
      return DirectOp::kAdd;
    case Op::kSubtract:
      return DirectOp::kSubtract;
    case Op::kMultiply:
      return DirectOp::kMultiply;
    case Op::kDivide:
      return DirectOp::kDivide;
    case Op::kIntegerDivide:
      return DirectOp::kIntegerDivide;
    case Op::kPower:
      return DirectOp::kPower;
    case Op::kAnd:
      return DirectOp::kAnd;
    case Op::kOr:
      return DirectOp::kOr;
    default:
      return std::nullopt;
  }
}

// The comparison instruction of an operator (the condition compiler compares only with these
// four; any other has no instruction and its program stays on the stack machine).
std::optional<DirectOp> ComparisonOf(int op) {
  switch (op) {
    case TK_LESS:
      return DirectOp::kLess;
    case TK_GREATER:
      return DirectOp::kGreater;
    case TK_EQUAL:
      return DirectOp::kEqual;
    case TK_BANG:
      return DirectOp::kNotEqual;
    default:
      return std::nullopt;
  }
}

bool Translator::Binary(DirectOp op) {
  const float *a, *b;
  if (!Pop(b) || !Pop(a)) return false;
  Push(op, a, b);
  return true;
}

// An element read; a number index is rounded here, once, as the run would round it every time.
bool Translator::Element(bool number_array, int32_t array) {
  const float* index;
  if (!Pop(index)) return false;
  if (IsConstant(index)) {
    Push(number_array ? DirectOp::kNumElementAt : DirectOp::kPtrElementAt, nullptr, nullptr, array,
         ToInteger(*index));
  } else {
    Push(number_array ? DirectOp::kNumElement : DirectOp::kPtrElement, index, nullptr, array);
  }
  return true;
}

// The update of a VAR element by an arithmetic operation, fused.
std::optional<DirectOp> ElementUpdate(DirectOp op) {
  switch (op) {
    case DirectOp::kAdd:
      return DirectOp::kNumElementAdd;
    case DirectOp::kSubtract:
      return DirectOp::kNumElementSubtract;
    case DirectOp::kMultiply:
      return DirectOp::kNumElementMultiply;
    case DirectOp::kDivide:
      return DirectOp::kNumElementDivide;
    default:
      return std::nullopt;
  }
}

// "a[i] = a[i] op b" with one index cell: the element read, the operation on it and the store,
// one after another, become one instruction, which reads and writes the element where the
// index rounds to, as the three would (nothing between them writes the index).
bool Translator::FuseElementUpdate(int32_t array, const float* index, const float* value) {
  std::vector<DirectInstruction>& code = direct_->code;
  if (code.size() < 2) return false;
  const DirectInstruction& read = code[code.size() - 2];
  const DirectInstruction& op = code.back();
  const std::optional<DirectOp> fused = ElementUpdate(op.op);
  if (!fused || op.out != value || op.a != read.out || read.op != DirectOp::kNumElement ||
      read.x != array || read.a != index) {
    return false;
  }
  const DirectInstruction update{*fused, array, 0, nullptr, index, op.b};
  code.pop_back();
  code.back() = update;
  return true;
}

// A value (and an index) popped into a place outside the cells.
bool Translator::Store(DirectOp op, int32_t x) {
  const float *value, *index = nullptr;
  if (!Pop(value)) return false;
  if (op != DirectOp::kStorePtr && !Pop(index)) return false;
  if (!stack_.empty()) return false;
  if (op == DirectOp::kStoreNumElement && FuseElementUpdate(x, index, value)) return true;
  if (op == DirectOp::kStorePtr) {
    direct_->code.push_back({op, x, 0, nullptr, value});
  } else {
    direct_->code.push_back({op, x, 0, nullptr, index, value});
  }
  return true;
}

// The instruction that made the value writes it to the variable itself, when there is one.
bool Translator::StoreVar(int32_t var) {
  const float* value;
  if (!Pop(value) || !stack_.empty()) return false;
  float* cell = vars_ + var;
  if (value == last_result_ && direct_->code.back().out == value) {
    direct_->code.back().out = cell;
  } else {
    direct_->code.push_back({DirectOp::kMove, 0, 0, cell, value});
  }
  return true;
}

bool Translator::Step(const Instruction& i) {
  const float* operand;
  switch (i.op) {
    case Op::kNumber:
      stack_.push_back(Constant(i.f));
      return true;
    case Op::kVar:
      stack_.push_back(Var(i.a));
      return true;
    case Op::kPtrVar:
      Push(DirectOp::kPtrVar, nullptr, nullptr, i.a);
      return true;
    case Op::kNumElement:
    case Op::kPtrElement:
      return Element(i.op == Op::kNumElement, i.a);
    case Op::kFunction:
    case Op::kNegate:
      if (!Pop(operand)) return false;
      Push(i.op == Op::kFunction ? DirectOp::kFunction : DirectOp::kNegate, operand, nullptr, i.a);
      return true;
    case Op::kDropNumber:
      return Pop(operand);
    case Op::kCompareNumbers: {
      const std::optional<DirectOp> comparison = ComparisonOf(i.a);
      if (i.c != 0 || !comparison) return false;  // a text operand, or no such instruction
      const float *a = Zero(), *b = Zero();
      if ((i.b & 2) && !Pop(b)) return false;
      if ((i.b & 1) && !Pop(a)) return false;
      Push(*comparison, a, b, i.a);
      return true;
    }
    case Op::kCompareStrVarText:
      Push(i.b == TK_EQUAL ? DirectOp::kStrVarEqualsText : DirectOp::kStrVarDiffersText, nullptr,
           nullptr, i.a, i.c);
      return true;
    case Op::kStoreVar:
      return StoreVar(i.a);
    case Op::kStorePtr:
      return Store(DirectOp::kStorePtr, i.a);
    case Op::kStoreNumElement:
      return Store(DirectOp::kStoreNumElement, i.a);
    case Op::kStorePtrElement:
      return Store(DirectOp::kStorePtrElement, i.a);
    default:
      break;
  }
  const std::optional<DirectOp> op = Arithmetic(i.op);
  if (!op) return false;  // texts
  return Binary(*op);
}

}  // namespace

std::unique_ptr<DirectProgram> MakeDirect(const Program& program, float* var_cells) {
  return Translator(program, var_cells).Translate();
}

namespace {

bool IsComparison(DirectOp op) {
  return op == DirectOp::kLess || op == DirectOp::kGreater || op == DirectOp::kEqual ||
         op == DirectOp::kNotEqual;
}

}  // namespace

std::optional<ComparisonChain> FindComparisonChain(const DirectProgram& program) {
  const std::vector<DirectInstruction>& code = program.code;
  int count = 0;
  while (count < static_cast<int>(code.size()) && IsComparison(code[count].op)) ++count;
  // The comparisons, count - 1 joins of one kind, and the end.
  if (!program.pure || count == 0 || static_cast<int>(code.size()) != 2 * count) return {};
  const DirectOp join = count > 1 ? code[count].op : DirectOp::kAnd;
  if (join != DirectOp::kAnd && join != DirectOp::kOr) return {};
  // Every result is a cell of its own, read once: by a join or by the end.
  std::vector<const float*> unread;
  for (const DirectInstruction& i : code) {
    if (i.op == DirectOp::kEnd) break;
    if (std::find(unread.begin(), unread.end(), i.out) != unread.end()) return {};
    unread.push_back(i.out);
  }
  for (int k = 0; k < count; ++k) {
    for (const float* operand : {code[k].a, code[k].b}) {
      if (std::find(unread.begin(), unread.end(), operand) != unread.end()) return {};
    }
  }
  unread.resize(count);
  auto take = [&](const float* result) {
    const auto found = std::find(unread.begin(), unread.end(), result);
    if (found == unread.end()) return false;
    unread.erase(found);
    return true;
  };
  for (int k = count; k < 2 * count - 1; ++k) {
    const DirectInstruction& i = code[k];
    if (i.op != join || i.a == i.b || !take(i.a) || !take(i.b)) return {};
    unread.push_back(i.out);
  }
  if (unread.size() != 1 || code.back().a != unread.front()) return {};
  return ComparisonChain{code.data(), count, join == DirectOp::kOr};
}

}  // namespace brindle
