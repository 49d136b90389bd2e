// How expressions and conditions read: statements run together, the two operator levels,
// signs, WHILE operands, string order, & and | grouping.

#include "lang/keywords.h"
#include "lint/rules.h"

namespace brindle::lint_rules {

// After a statement that ends in an expression, the token after the expression is passed over
// unread: "x = 2 y = 3" never assigns y.
void SeparatedStatements(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (!StartsStatement(tokens, p) || tokens.kind[p] != TK_IDENT || tokens.kind[p + 1] != TK_EQUAL)
    return;
  for (int q = p + 2; !EndsStatement(tokens.kind[q]); ++q) {
    if (tokens.kind[q] == TK_IDENT && tokens.kind[q + 1] == TK_EQUAL &&
        EndsOperand(tokens.kind[q - 1])) {
      out.push_back({q, "W10",
                     "this is not a statement of its own: the assignment before it ends with "
                     "its expression, and the rest of the line is passed over; put : or a line "
                     "end between statements"});
      return;
    }
  }
}

// Two levels only: "^" binds no tighter than "*" and groups from the left, so a * b ^ c is
// (a * b) ^ c.
void PowerAfterProduct(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != TK_CARET) return;
  int depth = 0;
  for (int q = p - 1; q > 0 && !EndsStatement(tokens.kind[q]); --q) {
    const int kind = tokens.kind[q];
    if (kind == TK_RPAREN || kind == TK_RBRACKET) ++depth;
    if (kind == TK_LPAREN || kind == TK_LBRACKET) {
      if (depth-- == 0) return;
    }
    if (depth > 0) continue;
    if (kind == TK_PLUS || kind == TK_MINUS || kind == TK_EQUAL || kind == TK_COMMA ||
        kind == TK_LESS || kind == TK_GREATER || kind == TK_BANG || kind == TK_AMP ||
        kind == TK_BAR) {
      return;
    }
    if (kind == TK_STAR || kind == TK_SLASH || kind == TK_PERCENT || kind == TK_CARET) {
      out.push_back({p, "W11",
                     "^ binds no tighter than * / and %, and groups from the left: a * b ^ c "
                     "is (a * b) ^ c and a ^ b ^ c is (a ^ b) ^ c; write a * (b ^ c)"});
      return;
    }
  }
}

// A sign works only at the start of an expression; after an operator, "-" is an operator with
// a missing operand (0): 2 * -3 is 2 * 0 - 3.
void SignsAfterOperators(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  if ((kind != TK_MINUS && kind != TK_PLUS) || !IsArithmetic(tokens.kind[p - 1])) return;
  out.push_back({p, "W12",
                 "a sign works only at the start of an expression: after " + tokens.text[p - 1] +
                     " this " + tokens.text[p] + " is an operator with a missing operand (0), " +
                     "so 2 * -3 is 2 * 0 - 3; put the negative operand in parentheses: 2 * (-3)"});
}

// WHILE A op B [& C op D]: each right operand is one token, and whatever follows it in place
// of "&", "|" or the end is ignored.
void WhileOperandsAlone(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_WHILE) return;
  for (int right = p + 3; IsComparison(tokens.kind[right - 1]); right += 4) {
    const int after = tokens.kind[right + 1];
    if (EndsStatement(after)) return;
    if (after == TK_AMP || after == TK_BAR) continue;
    if (after == TK_LBRACKET && tokens.kind[right] == TK_IDENT) {
      out.push_back({right, "W15",
                     "WHILE cannot compare with an array element: the run stops here with "
                     "Wrong Type! " +
                         tokens.text[right] + "; copy the element into a variable first"});
      return;
    }
    out.push_back({right + 1, "W15",
                   "WHILE compares with one variable or number: from here on the condition is "
                   "ignored (WHILE n < 2 * 3 is n < 2); compute the limit into a variable "
                   "first"});
    return;
  }
}

// Strings compare only with = and !; < and > between them are always false.
void TextsHaveNoOrder(const TokenTable& tokens, const Symbols& symbols, int p,
                      std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  if (kind != TK_LESS && kind != TK_GREATER) return;
  int left = p - 1;
  if (tokens.kind[left] == TK_RBRACKET) {
    while (left > 1 && tokens.kind[left] != TK_LBRACKET) --left;
    --left;
  }
  const int before = tokens.kind[left - 1];
  if (before != KW_IF && before != KW_WHILE && before != TK_AMP && before != TK_BAR) return;
  if (!IsTextVariable(symbols, left)) return;
  out.push_back({p, "W16",
                 "strings have no order: " + tokens.text[p] +
                     " between strings is always false; compare them with = or !"});
}

// "&" and "|" have one priority and group from the right: a & b | c is a & (b | c).
void AndOrGrouping(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_IF && tokens.kind[p] != KW_WHILE) return;
  int first_join = 0;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    const int kind = tokens.kind[q];
    if (kind != TK_AMP && kind != TK_BAR) continue;
    if (first_join == 0) {
      first_join = kind;
    } else if (kind != first_join) {
      out.push_back({q, "W17",
                     "& and | have the same priority and group from the right: a & b | c is "
                     "a & (b | c), and a | b & c is a | (b & c); split the condition if that is "
                     "not what you mean"});
      return;
    }
  }
}

}  // namespace brindle::lint_rules
