#include "prepass/blocks.h"

#include <array>
#include <string_view>
#include <vector>

#include "lang/text.h"
#include "prepass/prepass.h"

namespace brindle {

// A second block for the same message replaces the first.
Fault RegisterHandler(const PrePassTables& t, int p, int line) {
  const std::string& name = t.tokens.text[p + 1];
  if (t.tokens.kind[p + 1] != TK_IDENT) {
    return FoundAt(msg::HandlerWithoutName(name, line), p + 1);
  }
  const std::string upper = UpperCase(name);
  for (const HandlerName& h : kHandlerNames) {
    if (upper == h.text) {
      t.blocks.HandlerEntry(h.handler) = p + 1;
      return std::nullopt;
    }
  }
  return FoundAt(msg::HandlerNameNotValid(name, line), p + 1);
}

namespace {

// Where a block that the counts found unbalanced lacks its end (or its start): the blocks are
// paired as they nest, and the first opener left without its closer is the place, or, when
// closers are too many, the first closer that found no opener. The message is the count's
// alone; the place only tells the terminal and editors where to look.
int UnpairedToken(const TokenTable& tokens, int opener, int closer, bool openers_left) {
  std::vector<int> open;
  for (int p = 1; p <= tokens.count; ++p) {
    if (tokens.kind[p] == opener) {
      open.push_back(p);
    } else if (tokens.kind[p] == closer) {
      if (!open.empty()) {
        open.pop_back();
      } else if (!openers_left) {
        return p;
      }
    }
  }
  return openers_left && !open.empty() ? open.front() : 0;
}

// One kind of block: its two counts, its two keywords and the messages for too many of each.
struct BlockPair {
  int Blocks::*openers;
  int Blocks::*closers;
  int opener, closer;
  Message (*openers_left)();
  Message (*closers_left)();
};

}  // namespace

// Blocks are checked by counting, not by pairing: ENDIF before its IF passes.
bool CheckBlockBalance(const TokenTable& tokens, const Blocks& b, const FaultSink& found) {
  static constexpr BlockPair kPairs[] = {
      {&Blocks::while_count, &Blocks::wend_count, KW_WHILE, KW_WEND, msg::WhileWithoutWend,
       msg::WendWithoutWhile},
      {&Blocks::if_count, &Blocks::endif_count, KW_IF, KW_ENDIF, msg::IfWithoutEndif,
       msg::EndifWithoutIf},
      {&Blocks::func_count, &Blocks::endfn_count, KW_FUNC, KW_ENDFN, msg::FuncWithoutEndfn,
       msg::EndfnWithoutFunc},
      {&Blocks::winmsg_count, &Blocks::endwm_count, KW_WINMSG, KW_ENDWM, msg::WinmsgWithoutEndwm,
       msg::EndwmWithoutWinmsg},
  };
  for (const BlockPair& pair : kPairs) {
    const int openers = b.*pair.openers, closers = b.*pair.closers;
    if (openers == closers) continue;
    const bool openers_left = openers > closers;
    const int at = UnpairedToken(tokens, pair.opener, pair.closer, openers_left);
    if (!found(FoundAt(openers_left ? pair.openers_left() : pair.closers_left(), at))) return false;
  }
  return true;
}

}  // namespace brindle
