#include "prepass/blocks.h"

#include <array>
#include <string_view>

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

// Blocks are checked by counting, not by pairing: ENDIF before its IF passes.
Fault CheckBlockBalance(const Blocks& b) {
  if (b.while_count > b.wend_count) return msg::WhileWithoutWend();
  if (b.wend_count > b.while_count) return msg::WendWithoutWhile();
  if (b.if_count > b.endif_count) return msg::IfWithoutEndif();
  if (b.endif_count > b.if_count) return msg::EndifWithoutIf();
  if (b.func_count > b.endfn_count) return msg::FuncWithoutEndfn();
  if (b.endfn_count > b.func_count) return msg::EndfnWithoutFunc();
  if (b.winmsg_count > b.endwm_count) return msg::WinmsgWithoutEndwm();
  if (b.endwm_count > b.winmsg_count) return msg::EndwmWithoutWinmsg();
  return std::nullopt;
}

}  // namespace brindle
