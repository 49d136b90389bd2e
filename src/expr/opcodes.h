// The opcodes of the expression machine, each declared once with what it does to the two
// stacks. The enum, the stack depths a program needs (MeasureDepths) and which instructions
// read a STR variable (the in-place append's safety) all come from this list, so a new opcode
// is one row here and one case in the machine.
#pragma once

#include <cstdint>

namespace brindle {

// Stack counts that an instruction's operands give rather than its opcode.
enum StackCount : int8_t {
  kPresentInB = -1,  // one per bit of b (1: the left operand, 2: the right one)
  kCountInB = -2,    // b
  kCountInC = -3,    // c
};

// X(name, numbers popped, numbers pushed, texts popped, texts pushed, reads STR variable a,
//   may end the run)
// Numbers and truth values (-1 and 0) share the number stack; a text stack holds strings.
// clang-format off
#define BRINDLE_OPCODES(X)                                                                     \
  /* Numbers. */                                                                               \
  X(Number,         0, 1, 0, 0, false, false) /* push f */                                     \
  X(Var,            0, 1, 0, 0, false, false) /* push the VAR variable a */                    \
  X(PtrVar,         0, 1, 0, 0, false, false) /* push the PTR variable a, as a float */        \
  X(NumElement,     1, 1, 0, 0, false, false) /* pop an index; push element of VAR array a */  \
  X(PtrElement,     1, 1, 0, 0, false, false) /* the same for PTR array a, as a float */       \
  X(Function,       1, 1, 0, 0, false, false) /* pop x; push function (keyword a) of x */      \
  X(Add,            2, 1, 0, 0, false, false)                                                  \
  X(Subtract,       2, 1, 0, 0, false, false)                                                  \
  X(Multiply,       2, 1, 0, 0, false, false)                                                  \
  X(Divide,         2, 1, 0, 0, false, false)                                                  \
  X(IntegerDivide,  2, 1, 0, 0, false, false)                                                  \
  X(Power,          2, 1, 0, 0, false, false)                                                  \
  X(Negate,         1, 1, 0, 0, false, false)                                                  \
  X(DropNumber,     1, 0, 0, 0, false, false) /* a later operand form replaced the value */    \
  X(Val,            0, 1, 1, 0, false, false) /* pop a string; push its number value */        \
  /* Strings. */                                                                               \
  X(EmptyText,      0, 0, 0, 1, false, false) /* push "" */                                    \
  X(Text,           0, 0, 0, 1, false, false) /* push the text of token a (a literal) */       \
  X(StrVar,         0, 0, 0, 1, true,  false) /* push the STR variable a */                    \
  X(StrElement,     1, 0, 0, 1, false, false) /* pop an index; push element of STR array a */  \
  X(Strs,           1, 0, 0, 1, false, false) /* pop a number; push its text */                \
  X(Chrs,           1, 0, 0, 1, false, false) /* pop a number; push the byte of its low bits */\
  X(Left,           0, 0, 0, 1, true,  false) /* LSTR of STR variable a, count token b */      \
  X(Right,          0, 0, 0, 1, true,  false) /* RSTR of the same */                           \
  X(Mid,            0, 0, 0, 1, true,  false) /* MSTR: source a, start token b, length c */    \
  X(Concat,         0, 0, 2, 1, false, false) /* pop b, pop a; push a followed by b */         \
  X(DropText,       0, 0, 1, 0, false, false)                                                  \
  X(TypeError,      0, 0, 0, 0, false, true)  /* a number literal (token a) as a string */     \
  /* Conditions: compare (op: token kind a), and join truth values bitwise. */                 \
  X(CompareNumbers, kPresentInB, 1, kCountInC, 0, false, false) /* a missing operand is 0 */   \
  X(CompareTexts,   kCountInB, 1, 2, 0, false, false) /* first drops b right operands */       \
  X(And,            2, 1, 0, 0, false, false)                                                  \
  /* Fused by Optimize: STR variable a compared (op: token kind b, "=" or "!") with the */     \
  /* string literal at token c. */                                                             \
  X(CompareStrVarText, 0, 1, 0, 0, true, false)                                                \
  X(Or,             2, 1, 0, 0, false, false)                                                  \
  /* Assignments compiled whole: pop into VAR variable a, or PTR variable a (by ToInteger); */ \
  /* pop a value and an index into an element of VAR or PTR array a. */                       \
  X(StoreVar,        1, 0, 0, 0, false, false)                                                 \
  X(StorePtr,        1, 0, 0, 0, false, false)                                                 \
  X(StoreNumElement, 2, 0, 0, 0, false, false)                                                 \
  X(StorePtrElement, 2, 0, 0, 0, false, false)
// clang-format on

enum class Op : uint8_t {
#define BRINDLE_OP_ENUM(name, ...) k##name,
  BRINDLE_OPCODES(BRINDLE_OP_ENUM)
#undef BRINDLE_OP_ENUM
};

struct OpFacts {
  const char* name;
  int8_t numbers_popped, numbers_pushed;
  int8_t texts_popped, texts_pushed;
  bool reads_str_var;  // reads STR variable a, so "a = a + ..." must not take its text first
  bool may_end_run;    // a program that can stop halfway must leave every variable whole
};

inline constexpr OpFacts kOpFacts[] = {
#define BRINDLE_OP_FACTS(name, np, nu, tp, tu, reads, ends) {#name, np, nu, tp, tu, reads, ends},
    BRINDLE_OPCODES(BRINDLE_OP_FACTS)
#undef BRINDLE_OP_FACTS
};

constexpr const OpFacts& FactsOf(Op op) {
  return kOpFacts[static_cast<int>(op)];
}

}  // namespace brindle
