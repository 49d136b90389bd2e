#include "expr/eval.h"
#include "expr/numbers.h"

namespace brindle {
namespace {

// function := RND|SIN|COS|TAN|RAND|ABS|ATAN|SQR|LOG|ROUND|INT|FRAC factor
// Returns false when the current token is no function keyword.
bool EvalFunction(Interpreter& in, float& r) {
  const int kind = CurKind(in);
  switch (kind) {
    case KW_RND: case KW_SIN: case KW_COS: case KW_TAN: case KW_RAND: case KW_ABS:
    case KW_ATAN: case KW_SQR: case KW_LOG: case KW_ROUND: case KW_INT: case KW_FRAC:
      break;
    default:
      return false;
  }
  NextToken(in);
  const float x = EvalFactor(in);
  switch (kind) {
    case KW_RND: r = FixedRandom(in.random); break;
    case KW_SIN: r = Sine(x); break;
    case KW_COS: r = Cosine(x); break;
    case KW_TAN: r = Tangent(x); break;
    case KW_RAND: r = static_cast<float>(ClockRandom(in.random, 0, ToInteger(x))); break;
    case KW_ABS: r = Absolute(x); break;
    case KW_ATAN: r = ArcTangent(x); break;
    case KW_SQR: r = SquareRoot(x); break;
    case KW_LOG: r = NaturalLog(x); break;
    case KW_ROUND: r = RoundToEven(x); break;
    case KW_INT: r = IntegerPart(x); break;
    case KW_FRAC: r = FractionPart(x); break;
  }
  return true;
}

// element := name "[" factor <any token>      (the closing token is passed unchecked)
void EvalElement(Interpreter& in, float& r) {
  const int a = ArrayAtCursor(in);
  const int type = in.symbols.array_type[a];
  if (type != KW_VAR && type != KW_PTR) return;  // a string array counts as nothing
  NextToken(in);
  NextToken(in);
  const int i = ToInteger(EvalFactor(in));
  r = type == KW_VAR ? ReadArrayNum(in.values, a, i)
                     : static_cast<float>(ReadArrayPtr(in.values, a, i));
  NextToken(in);
}

}  // namespace

// sum := ["-"] term { ("+" | "-") term }
// A "-" where an operand is expected matches no factor, so it is read as a subtraction from
// zero: this gives unary minus at the start of a sum, and -0 for "-0".
float EvalNum(Interpreter& in) {
  float r = CurOp(in) == '-' ? -EvalTerm(in) : EvalTerm(in);
  for (char op = CurOp(in); op == '+' || op == '-'; op = CurOp(in)) {
    if (op == '+') {
      NextToken(in);
      r = r + EvalTerm(in);
    }
    if (CurOp(in) == '-') {
      NextToken(in);
      r = r - EvalTerm(in);
    }
  }
  return r;
}

// term := factor { ("*" | "/" | "%" | "^") factor }     (one level: "^" binds like "*")
float EvalTerm(Interpreter& in) {
  float r = EvalFactor(in);
  for (char op = CurOp(in); op == '*' || op == '/' || op == '%' || op == '^'; op = CurOp(in)) {
    if (op == '*') {
      NextToken(in);
      r = r * EvalFactor(in);
    }
    if (CurOp(in) == '/') {
      NextToken(in);
      r = r / EvalFactor(in);
    }
    if (CurOp(in) == '%') {
      NextToken(in);
      r = IntegerDivide(r, EvalFactor(in));
    }
    if (CurOp(in) == '^') {
      NextToken(in);
      r = Power(r, EvalFactor(in));
    }
  }
  return r;
}

// factor := number | "(" sum <any> | "[" sum <any> | variable | element | function | VAL item
// The forms are tried one after another, each on the token current by then, and a later match
// replaces the value: "3 (4)" is 4.
float EvalFactor(Interpreter& in) {
  float r = 0.0f;
  if (CurLeadIsDigit(in)) {
    r = in.facts.number[in.cursor.cur];
    NextToken(in);
  }
  if (CurLead(in) == '(') {
    NextToken(in);
    r = EvalNum(in);
    NextToken(in);
  }
  if (CurLead(in) == '[') {
    NextToken(in);
    r = EvalNum(in);
    NextToken(in);
  }
  if (CurKind(in) == TK_IDENT && NextKind(in) != TK_LBRACKET) {
    const int v = VarAtCursor(in);
    const int type = in.symbols.var_type[v];
    if (type == KW_VAR) r = in.values.var_num[v];
    if (type == KW_PTR) r = static_cast<float>(in.values.var_ptr[v]);
    if (type != 0) NextToken(in);
  }
  if (CurKind(in) == TK_IDENT && NextKind(in) == TK_LBRACKET) EvalElement(in, r);
  EvalFunction(in, r);
  if (CurKind(in) == KW_VAL) {
    NextToken(in);
    NextToken(in);
    r = TextToNumber(EvalStrItem(in));  // the closing ")" stays current
  }
  return r;
}

}  // namespace brindle
