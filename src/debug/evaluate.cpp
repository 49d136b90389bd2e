#include "debug/evaluate.h"

#include "expr/eval.h"
#include "frontend/tokenizer.h"
#include "lang/keywords.h"
#include "lang/numbers.h"
#include "prepass/prepass.h"
#include "runtime/faults.h"
#include "runtime/interpreter.h"

namespace brindle {
namespace {

// A run may read a few tokens past its last while it finishes a statement; the expression's
// tokens stay clear of those.
constexpr int kRunsPastTheEnd = 16;

Evaluation Failed(std::string why) {
  Evaluation e;
  e.error = std::move(why);
  return e;
}

bool StartsText(const TokenInfo& t) {
  return t.kind == TK_STRING || t.kind == KW_STRS || t.kind == KW_CHRS || t.kind == KW_LSTR ||
         t.kind == KW_RSTR || t.kind == KW_MSTR || (t.var > 0 && t.var_type == KW_STR) ||
         (t.array > 0 && t.array_type == KW_STR);
}

// Puts the expression's tokens at first .. kCursorLimit, keywords classified and names bound
// as the pre-check binds them. Returns "" or why it cannot be read.
std::string PlaceTokens(ScriptImage& image, std::string_view expression, int& first) {
  TokenTable own;
  const std::string source = std::string(expression) + "\n";
  TokenizeResult read = Tokenize(source, own);
  if (read.error != TokenizerError::kNone) return read.fault->text;
  own.count = read.token_count;
  if (own.count <= 1) return "there is no expression";
  if (own.count > kExpressionTokens) return "the expression is too long";
  first = kCursorLimit + 1 - own.count;
  if (first <= image.tokens.count + kRunsPastTheEnd) return "the script leaves no room to evaluate";
  Symbols no_symbols;
  Blocks no_blocks;
  ClassifyKeywords({own, no_symbols, no_blocks});
  const PrePassTables script{image.tokens, image.symbols, image.blocks};
  for (int i = 1; i <= own.count; ++i) {
    const int p = first + i - 1;
    image.tokens.text.Write(p) = own.text[i];
    image.tokens.kind[p] = own.kind[i];
    image.tokens.offset[p] = 0;
    image.symbols.var_slot_of_token[p] = 0;
    image.symbols.array_slot_of_token[p] = 0;
    image.symbols.func_of_token[p] = 0;
  }
  for (int p = first; p <= kCursorLimit; ++p) {
    if (image.tokens.kind[p] != TK_IDENT) continue;
    if (Fault fault = BindIdentifier(script, p, 0)) {
      return image.tokens.text[p] + " is no variable or array of the script";
    }
  }
  ComputeTokenFactsOf(image.tokens, image.symbols, image.facts, first, kCursorLimit);
  return "";
}

// A comparison outside brackets makes the expression a condition, read as IF reads one.
bool HasComparison(const ScriptImage& image, int first) {
  int depth = 0;
  for (int p = first; p <= kCursorLimit; ++p) {
    const int kind = image.tokens.kind[p];
    if (kind == TK_LPAREN || kind == TK_LBRACKET) ++depth;
    if ((kind == TK_RPAREN || kind == TK_RBRACKET) && depth > 0) --depth;
    if (depth == 0 &&
        (kind == TK_EQUAL || kind == TK_BANG || kind == TK_LESS || kind == TK_GREATER)) {
      return true;
    }
  }
  return false;
}

}  // namespace

Evaluation Evaluate(Interpreter& in, ScriptImage& image, std::string_view expression,
                    bool as_condition) {
  int first = 0;
  if (std::string why = PlaceTokens(image, expression, first); !why.empty()) return Failed(why);
  // The positions are used again by the next expression: nothing may be kept for them.
  const bool slow_paths = in.slow_paths;
  const TokenCursor cursor = in.cursor;
  const RandomState random = in.random;
  in.slow_paths = true;
  in.cursor = {first - 1, first - 1};
  Evaluation e;
  try {
    if (as_condition || HasComparison(image, first)) {
      NextToken(in);
      e.number = static_cast<float>(EvalCondition(in));
    } else if (StartsText(image.facts.info[first])) {
      e.text = true;
      e.value = NextEvalStr(in);
    } else {
      e.number = NextEvalNum(in);
    }
    e.ok = true;
  } catch (const EvaluationFault& fault) {
    e.error = fault.text;
  } catch (const RunAbandoned&) {
    e.error = "the expression cannot be evaluated";
  }
  const int end = in.cursor.exec_pos;
  in.slow_paths = slow_paths;
  in.cursor = cursor;
  in.random = random;
  if (e.ok && end + 1 < kCursorLimit && image.tokens.kind[end + 1] != TK_EOL) {
    return Failed("only the start of it is an expression, up to " + image.tokens.text[end]);
  }
  if (e.ok && !e.text) e.value = NumberToText(e.number);
  return e;
}

}  // namespace brindle
