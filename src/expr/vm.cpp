// Runs compiled expressions: one number stack and one text stack.
#include "expr/vm.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "expr/arithmetic.h"
#include "lang/keywords.h"
#include "lang/messages.h"
#include "lang/numbers.h"
#include "lang/text_limit.h"
#include "runtime/faults.h"
#include "runtime/op_counts.h"

namespace brindle {
namespace {

// The substring rule: a start of 0 counts as 1, a negative start counts from the end, and a
// negative length gives nothing.
std::string Mid(const std::string& src, int start, int len) {
  const int length = static_cast<int>(src.size());
  if (start == 0) start = 1;
  if (start < 0) {
    start = length + start + 1;
    if (start < 1) start = 1;
  }
  if (src.empty() || start > length || len <= 0) return {};
  return src.substr(static_cast<size_t>(start - 1), static_cast<size_t>(len));
}

// A count of LSTR, RSTR or MSTR, read from one token: a number literal, or a VAR or PTR
// variable; any other token counts 0.
int ReadCount(const Interpreter& in, int position) {
  const TokenInfo& t = in.image.facts.info[position];
  if (t.kind == TK_NUMBER) return ToInteger(t.number);
  if (t.kind == TK_IDENT && t.var_type == KW_VAR) return ToInteger(in.values.var_num[t.var]);
  if (t.kind == TK_IDENT && t.var_type == KW_PTR) return in.values.var_ptr[t.var];
  return 0;
}

// -n in 32-bit arithmetic: -2147483648 stays itself, as the machine's negation gives it, and
// so RSTR with that count (any NaN or infinite count reads as it) gives the whole string.
int NegateWrapping(int n) {
  return static_cast<int>(0u - static_cast<unsigned>(n));
}

// The functions of one number as the table of keywords names them. RND reads its argument and
// ignores it.
float RandomFraction(RandomState& random, float) {
  return FixedRandom(random);
}
float RandomUpTo(RandomState& random, float x) {
  return static_cast<float>(ClockRandom(random, 0, ToInteger(x)));
}

constexpr std::nullptr_t NoFunction = nullptr;

inline float Apply(float (*function)(float), Interpreter&, float x) {
  return function(x);
}
inline float Apply(float (*function)(RandomState&, float), Interpreter& in, float x) {
  return function(in.random, x);
}
inline float Apply(std::nullptr_t, Interpreter&, float) {
  return 0.0f;
}

float ApplyFunction(Interpreter& in, int keyword, float x) {
  switch (keyword) {
#define BRINDLE_APPLY_FUNCTION(NAME, code, role, counter, statement, function, ...) \
  case KW_##NAME:                                                                   \
    return Apply(function, in, x);
    BRINDLE_STATEMENTS(BRINDLE_APPLY_FUNCTION)
#undef BRINDLE_APPLY_FUNCTION
    default:
      return 0.0f;
  }
}

// Strings are equal or not; they have no order.
float CompareTexts(const std::string& a, const std::string& b, int op) {
  if (op == TK_EQUAL) return arith::Truth(a == b);
  if (op == TK_BANG) return arith::Truth(a != b);
  return arith::Truth(false);
}

// A number literal stood where a string belongs.
[[noreturn, gnu::cold, gnu::noinline]] void AbandonForNumberAsText(Interpreter& in, int token) {
  FailRun(in, FoundAt(msg::NotString(in.image.tokens.text[token]), token));
}

[[noreturn, gnu::cold, gnu::noinline]] void AbandonForLongText(Interpreter& in) {
  FailRun(in, msg::StringTooLong());
}

// The callers size the stacks by the depths MeasureDepths found; debug builds check every
// step against them.
#ifdef NDEBUG
inline void CheckDepths(const Program&, const Instruction&, int, int) {}
#else
void CheckDepths(const Program& program, const Instruction& i, int top, int text_top) {
  if (top >= -1 && top < program.number_depth && text_top >= -1 && text_top < program.text_depth) {
    return;
  }
  std::fprintf(stderr, "expression stacks outside their depths (%d, %d) after %s: %d, %d\n",
               program.number_depth, program.text_depth, FactsOf(i.op).name, top + 1, text_top + 1);
  std::abort();
}
#endif

// The code of the instructions that call out, each kept out of the threaded code so that its
// own path saves few registers; the threaded machine finds each by its name.
[[gnu::noinline]] void Calling_IntegerDivide(Interpreter&, const DirectInstruction& i) {
  *i.out = IntegerDivide(*i.a, *i.b);
}
[[gnu::noinline]] void Calling_Power(Interpreter&, const DirectInstruction& i) {
  *i.out = Power(*i.a, *i.b);
}
[[gnu::noinline]] void Calling_Function(Interpreter& in, const DirectInstruction& i) {
  *i.out = ApplyFunction(in, i.x, *i.a);
}
[[gnu::noinline]] void Calling_StorePtrElement(Interpreter& in, const DirectInstruction& i) {
  WriteArrayPtr(in.values, i.x, ToInteger(*i.a), ToInteger(*i.b));
}
[[gnu::noinline]] void Calling_StrVarEqualsText(Interpreter& in, const DirectInstruction& i) {
  *i.out = CompareTexts(in.values.var_str[i.x], in.image.tokens.text[i.index], TK_EQUAL);
}
[[gnu::noinline]] void Calling_StrVarDiffersText(Interpreter& in, const DirectInstruction& i) {
  *i.out = CompareTexts(in.values.var_str[i.x], in.image.tokens.text[i.index], TK_BANG);
}

// "a[i] = a[i] op b", as the element read, the operation and the store give it.
template <float (*kOperation)(float, float)>
inline void UpdateNumElement(Values& v, const DirectInstruction& i) {
  const int32_t index = ToInteger(*i.a);
  WriteArrayNum(v, i.x, index, kOperation(ReadArrayNum(v, i.x, index), *i.b));
}

}  // namespace

// clang-format off
// The code of the pure instructions, shared by both machines: each jumps straight to the next
// instruction's code (threaded), and every program ends with kEnd, so no loop counts them.
// Each instruction's code is at the label op_NAME; the dispatch tables are made from the list
// of instructions in direct.h.
// In a counting build, each instruction is counted as it is dispatched, for the machine that
// BRINDLE_MACHINE names (runtime/op_counts.h).
#ifdef BRINDLE_OP_COUNTS
#define BRINDLE_DISPATCH                          \
  BRINDLE_COUNT_OP(BRINDLE_MACHINE, false, i->op); \
  goto* kCode[static_cast<int>(i->op)]
#else
#define BRINDLE_DISPATCH goto* kCode[static_cast<int>(i->op)]
#endif
#define BRINDLE_NEXT ++i; BRINDLE_DISPATCH
#define BRINDLE_PURE_INSTRUCTIONS                                                         \
  op_Move: *i->out = *i->a; BRINDLE_NEXT;                                                \
  op_Add: *i->out = arith::Add(*i->a, *i->b); BRINDLE_NEXT;                              \
  op_Subtract: *i->out = arith::Subtract(*i->a, *i->b); BRINDLE_NEXT;                    \
  op_Multiply: *i->out = arith::Multiply(*i->a, *i->b); BRINDLE_NEXT;                    \
  op_Divide: *i->out = arith::Divide(*i->a, *i->b); BRINDLE_NEXT;                        \
  op_Negate: *i->out = arith::Negate(*i->a); BRINDLE_NEXT;                               \
  op_Less: *i->out = arith::Compare(*i->a, *i->b, TK_LESS); BRINDLE_NEXT;                \
  op_Greater: *i->out = arith::Compare(*i->a, *i->b, TK_GREATER); BRINDLE_NEXT;          \
  op_Equal: *i->out = arith::Compare(*i->a, *i->b, TK_EQUAL); BRINDLE_NEXT;              \
  op_NotEqual: *i->out = arith::Compare(*i->a, *i->b, TK_BANG); BRINDLE_NEXT;            \
  op_And: *i->out = arith::And(*i->a, *i->b); BRINDLE_NEXT;                              \
  op_Or: *i->out = arith::Or(*i->a, *i->b); BRINDLE_NEXT;

// The pure machine has no code for the others: a program with one never reaches it.
#define BRINDLE_PURE_LABEL_PURE(name) &&op_##name
#define BRINDLE_PURE_LABEL_READS(name) &&other
#define BRINDLE_PURE_LABEL_CALLS(name) &&other
#define BRINDLE_PURE_TABLE(name, where) BRINDLE_PURE_LABEL_##where(name),
#define BRINDLE_CALL_LABEL_PURE(name)
#define BRINDLE_CALL_LABEL_READS(name)
#define BRINDLE_CALL_LABEL_CALLS(name) op_##name: Calling_##name(in, *i); BRINDLE_NEXT;
#define BRINDLE_CALL_LABEL(name, where) BRINDLE_CALL_LABEL_##where(name)
#define BRINDLE_TABLE(name, where) &&op_##name,

#define BRINDLE_MACHINE kPureCode
float RunPureCode(const DirectInstruction* code) {
  static constexpr const void* kCode[] = {BRINDLE_DIRECT_OPS(BRINDLE_PURE_TABLE)};
  const DirectInstruction* i = code;
  BRINDLE_DISPATCH;
  BRINDLE_PURE_INSTRUCTIONS
other: __builtin_unreachable();  // never in a pure program
op_End:
  return *i->a;
}

#undef BRINDLE_MACHINE
#define BRINDLE_MACHINE kCode
float RunCodeWithInterpreter(Interpreter& in, const DirectInstruction* code) {
  static constexpr const void* kCode[] = {BRINDLE_DIRECT_OPS(BRINDLE_TABLE)};
  Values& v = in.values;
  const DirectInstruction* i = code;
  BRINDLE_DISPATCH;
  BRINDLE_PURE_INSTRUCTIONS
op_PtrVar: *i->out = static_cast<float>(v.var_ptr[i->x]); BRINDLE_NEXT;
op_NumElement: *i->out = ReadArrayNum(v, i->x, ToInteger(*i->a)); BRINDLE_NEXT;
op_NumElementAt: *i->out = ReadArrayNum(v, i->x, i->index); BRINDLE_NEXT;
op_PtrElement: *i->out = static_cast<float>(ReadArrayPtr(v, i->x, ToInteger(*i->a))); BRINDLE_NEXT;
op_PtrElementAt: *i->out = static_cast<float>(ReadArrayPtr(v, i->x, i->index)); BRINDLE_NEXT;
op_StorePtr: v.var_ptr[i->x] = ToInteger(*i->a); BRINDLE_NEXT;
op_StoreNumElement: WriteArrayNum(v, i->x, ToInteger(*i->a), *i->b); BRINDLE_NEXT;
op_NumElementAdd: UpdateNumElement<arith::Add>(v, *i); BRINDLE_NEXT;
op_NumElementSubtract: UpdateNumElement<arith::Subtract>(v, *i); BRINDLE_NEXT;
op_NumElementMultiply: UpdateNumElement<arith::Multiply>(v, *i); BRINDLE_NEXT;
op_NumElementDivide: UpdateNumElement<arith::Divide>(v, *i); BRINDLE_NEXT;
BRINDLE_DIRECT_OPS(BRINDLE_CALL_LABEL)
op_End:
  return *i->a;
}
#undef BRINDLE_MACHINE
#undef BRINDLE_TABLE
#undef BRINDLE_CALL_LABEL
#undef BRINDLE_CALL_LABEL_CALLS
#undef BRINDLE_CALL_LABEL_READS
#undef BRINDLE_CALL_LABEL_PURE
#undef BRINDLE_PURE_TABLE
#undef BRINDLE_PURE_LABEL_CALLS
#undef BRINDLE_PURE_LABEL_READS
#undef BRINDLE_PURE_LABEL_PURE
#undef BRINDLE_PURE_INSTRUCTIONS
#undef BRINDLE_NEXT
#undef BRINDLE_DISPATCH
// clang-format on

void RunStackCode(Interpreter& in, const Program& program, float* n, std::string* s,
                  bool first_pushed) {
  Values& v = in.values;
  int top = -1, text_top = first_pushed ? 0 : -1;  // the top of each stack
  const Instruction* end = program.code.data() + program.code.size();
  for (const Instruction* next = program.code.data() + first_pushed; next != end; ++next) {
    const Instruction& i = *next;
    BRINDLE_COUNT_OP(kStack, in.slow_paths, i.op);
    switch (i.op) {
      case Op::kVal:
        n[++top] = TextToNumber(s[text_top--]);
        break;
      case Op::kEmptyText:
        s[++text_top].clear();
        break;
      case Op::kText:
        s[++text_top] = in.image.tokens.text[i.a];
        break;
      case Op::kStrVar:
        s[++text_top] = v.var_str[i.a];
        break;
      case Op::kStrElement: {
        const int index = ToInteger(n[top--]);
        s[++text_top] = ReadArrayStr(v, i.a, index);
        break;
      }
      case Op::kStrs:
        s[++text_top] = NumberToText(n[top--]);
        break;
      case Op::kChrs:
        s[++text_top].assign(1, static_cast<char>(ToInteger(n[top--]) & 0xff));
        break;
      case Op::kLeft:
        s[++text_top] = Mid(v.var_str[i.a], 1, ReadCount(in, i.b));
        break;
      case Op::kRight: {
        const std::string& src = v.var_str[i.a];
        s[++text_top] = Mid(src, NegateWrapping(ReadCount(in, i.b)), static_cast<int>(src.size()));
        break;
      }
      case Op::kMid:
        s[++text_top] = Mid(v.var_str[i.a], ReadCount(in, i.b), ReadCount(in, i.c));
        break;
      case Op::kConcat:
        --text_top;
        if (s[text_top + 1].size() > kMaxTextLength - s[text_top].size()) {
          AbandonForLongText(in);
        }
        s[text_top] += s[text_top + 1];
        break;
      case Op::kDropText:
        --text_top;
        break;
      case Op::kTypeError:
        AbandonForNumberAsText(in, i.a);
      case Op::kCompareTexts:
        text_top -= 2;
        top -= i.b;
        n[++top] = CompareTexts(s[text_top + 1], s[text_top + 2], i.a);
        break;
      // clang-format off
      case Op::kStoreVar: v.var_num[i.a] = n[top--]; break;
      case Op::kStorePtr: v.var_ptr[i.a] = ToInteger(n[top--]); break;
      case Op::kStoreNumElement:
        top -= 2;
        WriteArrayNum(v, i.a, ToInteger(n[top + 1]), n[top + 2]);
        break;
      case Op::kStorePtrElement:
        top -= 2;
        WriteArrayPtr(v, i.a, ToInteger(n[top + 1]), ToInteger(n[top + 2]));
        break;
      case Op::kNumber: n[++top] = i.f; break;
      case Op::kVar: n[++top] = v.var_num[i.a]; break;
      case Op::kPtrVar: n[++top] = static_cast<float>(v.var_ptr[i.a]); break;
      case Op::kNumElement: n[top] = ReadArrayNum(v, i.a, ToInteger(n[top])); break;
      case Op::kPtrElement:
        n[top] = static_cast<float>(ReadArrayPtr(v, i.a, ToInteger(n[top])));
        break;
      case Op::kFunction: n[top] = ApplyFunction(in, i.a, n[top]); break;
      case Op::kAdd: --top; n[top] = arith::Add(n[top], n[top + 1]); break;
      case Op::kSubtract: --top; n[top] = arith::Subtract(n[top], n[top + 1]); break;
      case Op::kMultiply: --top; n[top] = arith::Multiply(n[top], n[top + 1]); break;
      case Op::kDivide: --top; n[top] = arith::Divide(n[top], n[top + 1]); break;
      case Op::kIntegerDivide: --top; n[top] = IntegerDivide(n[top], n[top + 1]); break;
      case Op::kPower: --top; n[top] = Power(n[top], n[top + 1]); break;
      case Op::kNegate: n[top] = arith::Negate(n[top]); break;
      case Op::kDropNumber: --top; break;
      case Op::kCompareNumbers: {
        text_top -= i.c;  // a text left operand compared as 0
        const float b = (i.b & 2) ? n[top--] : 0.0f;
        const float a = (i.b & 1) ? n[top--] : 0.0f;
        n[++top] = arith::Compare(a, b, i.a);
        break;
      }
      case Op::kCompareStrVarText:
        n[++top] = CompareTexts(v.var_str[i.a], in.image.tokens.text[i.c], i.b);
        break;
      case Op::kAnd: --top; n[top] = arith::And(n[top], n[top + 1]); break;
      case Op::kOr: --top; n[top] = arith::Or(n[top], n[top + 1]); break;
        // clang-format on
    }
    CheckDepths(program, i, top, text_top);
  }
}

}  // namespace brindle
