// The warnings, one function each, over the token table as the pre-check left it (keywords
// classified, names bound).
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "lang/keywords.h"
#include "lint/lint.h"
#include "runtime/values.h"

namespace brindle {
namespace {

std::string UpperCaseName(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool EndsStatement(int kind) {
  return kind == TK_EOL || kind == TK_COLON || kind == TK_NONE;
}

// FOR, TO, STEP and NEXT are keywords with no action.
void NoLoopKeywords(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] == KW_FOR) {
    out.push_back({p, "W01",
                   "FOR does nothing here: its assignment runs once and the lines up to NEXT "
                   "run once; write the loop with WHILE ... WEND"});
  } else if (tokens.kind[p] == KW_NEXT) {
    out.push_back({p, "W01",
                   "NEXT does nothing here: no loop goes back to it; write the loop "
                   "with WHILE ... WEND"});
  }
}

// VAR x = 5 declares x and the rest of the list; the value is never stored.
void NoDeclarationValues(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  if (kind != KW_VAR && kind != KW_STR && kind != KW_PTR) return;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    if (tokens.kind[q] != TK_EQUAL) continue;
    const std::string name = tokens.kind[q - 1] == TK_IDENT ? tokens.text[q - 1] : "the name";
    out.push_back({q, "W02",
                   "a declaration stores no value: " + name +
                       " starts at 0 (\"\" for STR); assign the value on a line of its own"});
    return;
  }
}

// A keyword in a declaration's list is no name: nothing is declared for it, and where it is
// used later it acts as the keyword.
void NoKeywordNames(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  const int kind = tokens.kind[p];
  if (kind != KW_VAR && kind != KW_STR && kind != KW_PTR) return;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    // The names of the list: first, and after each comma.
    if (q != p + 1 && tokens.kind[q - 1] != TK_COMMA) continue;
    const std::string& text = tokens.text[q];
    const int name_kind = tokens.kind[q];
    const bool word = !text.empty() && std::isalpha(static_cast<unsigned char>(text[0]));
    if (name_kind == TK_IDENT || name_kind == TK_STRING || !word) continue;
    out.push_back({q, "W05",
                   text + " is a keyword, so no variable of that name is declared and the name "
                          "acts as the keyword wherever it is used; choose another name"});
  }
}

// A main part that reaches a WINMSG line runs the block's body once and stops at its ENDWM:
// nothing after the block runs. Only a GOTO, or the ENDWM of the block before, keeps it out.
void MainPartStaysOutOfHandlers(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_WINMSG) return;
  int last = p - 1;
  while (last > 0 && tokens.kind[last] == TK_EOL) --last;
  if (last > 0 && tokens.kind[last] == KW_ENDWM) return;
  int start = last;
  while (start > 1 && !EndsStatement(tokens.kind[start - 1])) --start;
  if (last > 0 && tokens.kind[start] == KW_GOTO) return;
  out.push_back({p, "W06",
                 "the main part runs into this WINMSG block: the body runs once now and the main "
                 "part stops at its ENDWM, so nothing after the block runs; put a GOTO over the "
                 "handler blocks"});
}

// IF's jumps do not count nesting: a false IF goes to the first ELSE or ENDIF after it, and
// a finished branch to the first ENDIF, whichever blocks they close.
void FlatIfBlocks(const TokenTable& tokens, int p, int& open_ifs, std::vector<Warning>& out) {
  if (tokens.kind[p] == KW_ENDIF && open_ifs > 0) --open_ifs;
  if (tokens.kind[p] != KW_IF) return;
  if (open_ifs++ > 0) {
    out.push_back({p, "W07",
                   "IF blocks do not nest: the outer IF's jumps stop at the first ELSE or ENDIF "
                   "they meet, this block's included, so parts of the outer block run when they "
                   "should not; join conditions with & and | or use GOTO"});
  }
}

bool EntersOrCloses(int kind) {
  return kind == KW_LABEL || kind == KW_WINMSG || kind == KW_FUNC || kind == KW_ENDWM ||
         kind == KW_ENDFN || kind == KW_ELSE || kind == KW_ENDIF || kind == KW_WEND;
}

// After GOTO, the statements up to the next place a run can come in (a LABEL, a block's start)
// or a block's end never run.
void ReachableAfterGoto(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_GOTO) return;
  int next = p + 1;
  while (!EndsStatement(tokens.kind[next])) ++next;
  while (next <= tokens.count && EndsStatement(tokens.kind[next])) ++next;
  if (next > tokens.count || EntersOrCloses(tokens.kind[next])) return;
  out.push_back({next, "W08",
                 "no run reaches this statement: it follows a GOTO, and no LABEL or block "
                 "start comes before it; remove it or put a LABEL before it"});
}

bool IsArithmetic(int kind) {
  return kind == TK_PLUS || kind == TK_MINUS || kind == TK_STAR || kind == TK_SLASH ||
         kind == TK_PERCENT || kind == TK_CARET;
}

bool EndsOperand(int kind) {
  return kind == TK_NUMBER || kind == TK_IDENT || kind == TK_RPAREN || kind == TK_RBRACKET;
}

// After a statement that ends in an expression, the token after the expression is passed over
// unread: "x = 2 y = 3" never assigns y.
void SeparatedStatements(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  const bool starts = p == 1 || EndsStatement(tokens.kind[p - 1]);
  if (!starts || tokens.kind[p] != TK_IDENT || tokens.kind[p + 1] != TK_EQUAL) return;
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

// The statement's arguments at bracket depth 0: where each one starts.
std::vector<int> ArgumentStarts(const TokenTable& tokens, int p) {
  std::vector<int> starts;
  int depth = 0;
  for (int q = p + 1; !EndsStatement(tokens.kind[q]); ++q) {
    const int kind = tokens.kind[q];
    if (starts.empty() || (depth == 0 && tokens.kind[q - 1] == TK_COMMA)) starts.push_back(q);
    if (kind == TK_LPAREN || kind == TK_LBRACKET) ++depth;
    if ((kind == TK_RPAREN || kind == TK_RBRACKET) && depth > 0) --depth;
  }
  return starts;
}

struct CoordinateStatement {
  int keyword;
  int count;
  const char* arguments;
};
constexpr CoordinateStatement kCoordinateStatements[] = {
    {KW_PSET, 2, "x and y"},           {KW_PLOT, 2, "x and y"},
    {KW_DRAW, 2, "x and y"},           {KW_CIRCLE, 3, "x, y and the radius"},
    {KW_LINE, 4, "x1, y1, x2 and y2"}, {KW_PRINT, 3, "x, y and what to print"},
};

// These statements read each argument by passing one token and evaluating what follows: a
// missing argument is read from the next statement, which loses its first tokens; arguments
// past the last are passed over.
void ArgumentCounts(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  for (const CoordinateStatement& s : kCoordinateStatements) {
    if (tokens.kind[p] != s.keyword) continue;
    const std::vector<int> starts = ArgumentStarts(tokens, p);
    const int given = static_cast<int>(starts.size());
    const std::string name = UpperCaseName(tokens.text[p]);
    if (given < s.count) {
      out.push_back({p, "W13",
                     name + " reads " + std::to_string(s.count) + " arguments (" + s.arguments +
                         ") and has " + std::to_string(given) +
                         " here: each missing one is read from what follows, the next line or "
                         "statement, which loses its first tokens; give all of them"});
    } else if (given > s.count) {
      out.push_back({starts[s.count], "W13",
                     name + " reads " + std::to_string(s.count) + " arguments (" + s.arguments +
                         "): this one and the rest are passed over"});
    }
    return;
  }
}

// PRINT's third argument is one item: a variable, an element, a literal or an expression in
// parentheses. Whatever follows it is passed over: PRINT x, y, "a" + s prints "a".
void PrintItemsAlone(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_PRINT) return;
  const std::vector<int> starts = ArgumentStarts(tokens, p);
  if (starts.size() != 3) return;
  int q = starts[2];
  if (tokens.kind[q] == TK_IDENT && tokens.kind[q + 1] == TK_LBRACKET) ++q;
  if (tokens.kind[q] == TK_LPAREN || tokens.kind[q] == TK_LBRACKET) {
    for (int depth = 0;; ++q) {
      const int kind = tokens.kind[q];
      if (EndsStatement(kind)) return;
      if (kind == TK_LPAREN || kind == TK_LBRACKET) ++depth;
      if ((kind == TK_RPAREN || kind == TK_RBRACKET) && --depth == 0) break;
    }
  }
  if (EndsStatement(tokens.kind[q + 1])) return;
  out.push_back({q + 1, "W14",
                 "PRINT prints one item, and what follows it is passed over: put an expression "
                 "in parentheses, PRINT x, y, (a + b), and join texts into a STR variable "
                 "first"});
}

bool IsComparison(int kind) {
  return kind == TK_EQUAL || kind == TK_BANG || kind == TK_LESS || kind == TK_GREATER;
}

// WHILE A op B [& C op D]: each right operand is one token, and whatever follows it in place
// of "&", "|" or the end is ignored.
void WhileOperandsAlone(const TokenTable& tokens, int p, std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_WHILE) return;
  for (int right = p + 3; IsComparison(tokens.kind[right - 1]); right += 4) {
    const int after = tokens.kind[right + 1];
    if (EndsStatement(after)) return;
    if (after == TK_AMP || after == TK_BAR) continue;
    out.push_back({right + 1, "W15",
                   "WHILE compares with one variable or number: from here on the condition is "
                   "ignored (WHILE n < 2 * 3 is n < 2); compute the limit into a variable "
                   "first"});
    return;
  }
}

bool IsTextVariable(const Symbols& symbols, int p) {
  const int v = symbols.var_slot_of_token[p];
  const int a = symbols.array_slot_of_token[p];
  return (v > 0 && symbols.var_type[v] == KW_STR) || (a > 0 && symbols.array_type[a] == KW_STR);
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

// A timer interval below 10 ms counts as 10: the variable TIMERON reads is given a smaller
// number somewhere.
void TimerIntervalsBelowTen(const TokenTable& tokens, const Symbols& symbols, int p,
                            std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_TIMERON) return;
  const int v = symbols.var_slot_of_token[p + 1];
  if (v <= 0) return;
  for (int q = 1; q + 3 <= tokens.count; ++q) {
    if (symbols.var_slot_of_token[q] != v || tokens.kind[q + 1] != TK_EQUAL ||
        tokens.kind[q + 2] != TK_NUMBER || !EndsStatement(tokens.kind[q + 3])) {
      continue;
    }
    if (std::atof(tokens.text[q + 2].c_str()) >= 10) continue;
    out.push_back({p + 1, "W18",
                   tokens.text[p + 1] + " is set to " + tokens.text[q + 2] +
                       " in this script: as a timer interval, anything below 10 ms counts as "
                       "10"});
    return;
  }
}

// A variable only ever assigned: its values go nowhere. Only "name = ..." at the start of a
// statement counts as a write; every other use (HWPARAM v, GETTEXT h, v, ...) as a read.
void VariablesNeverRead(const TokenTable& tokens, const Symbols& symbols,
                        std::vector<Warning>& out) {
  std::vector<int> declared(static_cast<size_t>(symbols.var_count) + 1, 0);
  std::vector<bool> read(declared.size(), false);
  for (int p = 1; p <= tokens.count; ++p) {
    const int v = symbols.var_slot_of_token[p];
    if (v <= 0) continue;
    if (declared[v] == 0) {
      declared[v] = p;
    } else if (!(EndsStatement(tokens.kind[p - 1]) && tokens.kind[p + 1] == TK_EQUAL)) {
      read[v] = true;
    }
  }
  for (int v = 1; v <= symbols.var_count; ++v) {
    if (declared[v] == 0 || read[v]) continue;
    bool assigned = false;
    for (int p = declared[v] + 1; p <= tokens.count && !assigned; ++p) {
      assigned = symbols.var_slot_of_token[p] == v;
    }
    if (!assigned) continue;
    out.push_back({declared[v], "W19",
                   tokens.text[declared[v]] +
                       " is given values but never read: remove it, or use it where it was "
                       "meant to be read"});
  }
}

// With two blocks for one event the last one is used, and with two labels of one name the
// first: the other never runs, or is never jumped to.
void OneBlockPerEventOneLabelPerName(const TokenTable& tokens, std::vector<Warning>& out) {
  std::vector<std::pair<std::string, int>> handlers, labels;
  for (int p = 1; p < tokens.count; ++p) {
    const int kind = tokens.kind[p];
    if (kind != KW_WINMSG && kind != KW_LABEL) continue;
    auto& seen = kind == KW_WINMSG ? handlers : labels;
    const std::string name = UpperCaseName(tokens.text[p + 1]);
    const auto earlier =
        std::find_if(seen.begin(), seen.end(), [&](const auto& s) { return s.first == name; });
    if (earlier == seen.end()) {
      seen.push_back({name, p});
    } else if (kind == KW_WINMSG) {
      out.push_back({earlier->second, "W20",
                     "a later WINMSG " + tokens.text[p + 1] +
                         " block replaces this one, which never runs; keep one block per "
                         "event"});
      earlier->second = p;
    } else {
      out.push_back({p, "W20",
                     "LABEL " + tokens.text[p + 1] +
                         " was already set: GOTO goes to the first one, never here; give this "
                         "label another name"});
    }
  }
}

// The limit counts every token, line ends included.
void RoomForTokens(const TokenTable& tokens, std::vector<Warning>& out) {
  if (tokens.count * 10 <= kTokenCapacity * 9) return;
  out.push_back({tokens.count, "W09",
                 "the script holds " + std::to_string(tokens.count) + " of the " +
                     std::to_string(kTokenCapacity) +
                     " tokens a script may hold (every line end counts); join short lines with "
                     ":, or move work into functions, before it stops loading"});
}

// TIMERON reads its interval from a VAR variable only; anything else keeps the last one.
void TimerIntervalInAVariable(const TokenTable& tokens, const Symbols& symbols, int p,
                              std::vector<Warning>& out) {
  if (tokens.kind[p] != KW_TIMERON) return;
  const int v = symbols.var_slot_of_token[p + 1];
  if (tokens.kind[p + 1] == TK_IDENT && v > 0 && symbols.var_type[v] == KW_VAR) return;
  out.push_back(
      {p + 1, "W03",
       "TIMERON takes its interval from a VAR variable only: with " +
           (EndsStatement(tokens.kind[p + 1]) ? std::string("nothing") : tokens.text[p + 1]) +
           " the timer keeps the interval it had (10 ms at first); put the interval "
           "in a VAR variable"});
}

// Only the first arrays declared have storage. Called at each array's first token, which is
// where it is declared (a name is declared before it is used).
void ArraysThatStore(const Symbols& symbols, int p, std::vector<Warning>& out) {
  const int a = symbols.array_slot_of_token[p];
  if (a <= kArraysWithStorage) return;
  out.push_back({p, "W04",
                 "only the first " + std::to_string(kArraysWithStorage) +
                     " arrays declared store values: " + symbols.array_name[a] +
                     " reads 0 (\"\" for STR) and keeps nothing; use fewer arrays"});
}

}  // namespace

std::vector<Warning> FindWarnings(const TokenTable& tokens, const Symbols& symbols) {
  std::vector<Warning> out;
  std::vector<bool> array_reported(static_cast<size_t>(symbols.array_count) + 1, false);
  int open_ifs = 0;
  for (int p = 1; p <= tokens.count; ++p) {
    FlatIfBlocks(tokens, p, open_ifs, out);
    ReachableAfterGoto(tokens, p, out);
    SeparatedStatements(tokens, p, out);
    PowerAfterProduct(tokens, p, out);
    SignsAfterOperators(tokens, p, out);
    ArgumentCounts(tokens, p, out);
    PrintItemsAlone(tokens, p, out);
    WhileOperandsAlone(tokens, p, out);
    TextsHaveNoOrder(tokens, symbols, p, out);
    AndOrGrouping(tokens, p, out);
    TimerIntervalsBelowTen(tokens, symbols, p, out);
    NoLoopKeywords(tokens, p, out);
    NoDeclarationValues(tokens, p, out);
    NoKeywordNames(tokens, p, out);
    MainPartStaysOutOfHandlers(tokens, p, out);
    TimerIntervalInAVariable(tokens, symbols, p, out);
    const int a = symbols.array_slot_of_token[p];
    if (a > 0 && !array_reported[a]) {
      array_reported[a] = true;
      ArraysThatStore(symbols, p, out);
    }
  }
  RoomForTokens(tokens, out);
  VariablesNeverRead(tokens, symbols, out);
  OneBlockPerEventOneLabelPerName(tokens, out);
  std::stable_sort(out.begin(), out.end(),
                   [](const Warning& a, const Warning& b) { return a.token < b.token; });
  return out;
}

}  // namespace brindle
