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

Fault Unbalanced(Message message, const TokenTable& tokens, int opener, int closer,
                 bool openers_left) {
  return FoundAt(std::move(message), UnpairedToken(tokens, opener, closer, openers_left));
}

}  // namespace

// Blocks are checked by counting, not by pairing: ENDIF before its IF passes.
Fault CheckBlockBalance(const TokenTable& tokens, const Blocks& b) {
  if (b.while_count > b.wend_count)
    return Unbalanced(msg::WhileWithoutWend(), tokens, KW_WHILE, KW_WEND, true);
  if (b.wend_count > b.while_count)
    return Unbalanced(msg::WendWithoutWhile(), tokens, KW_WHILE, KW_WEND, false);
  if (b.if_count > b.endif_count)
    return Unbalanced(msg::IfWithoutEndif(), tokens, KW_IF, KW_ENDIF, true);
  if (b.endif_count > b.if_count)
    return Unbalanced(msg::EndifWithoutIf(), tokens, KW_IF, KW_ENDIF, false);
  if (b.func_count > b.endfn_count)
    return Unbalanced(msg::FuncWithoutEndfn(), tokens, KW_FUNC, KW_ENDFN, true);
  if (b.endfn_count > b.func_count)
    return Unbalanced(msg::EndfnWithoutFunc(), tokens, KW_FUNC, KW_ENDFN, false);
  if (b.winmsg_count > b.endwm_count)
    return Unbalanced(msg::WinmsgWithoutEndwm(), tokens, KW_WINMSG, KW_ENDWM, true);
  if (b.endwm_count > b.winmsg_count)
    return Unbalanced(msg::EndwmWithoutWinmsg(), tokens, KW_WINMSG, KW_ENDWM, false);
  return std::nullopt;
}

}  // namespace brindle
