// Where runs go: loop keywords of other BASICs, handler blocks the main part runs into, IF
// blocks inside IF blocks, code after GOTO, second blocks and labels, the token limit.
#include <algorithm>

#include "lang/keywords.h"
#include "lint/rules.h"

namespace brindle::lint_rules {

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

}  // namespace brindle::lint_rules
