// Block counts, loop marks and the script's event handlers.
#pragma once

#include <array>
#include <string_view>

#include "frontend/token_table.h"
#include "frontend/zero_table.h"

namespace brindle {

// The window events a script can handle, in the order their names are tried.
enum class Handler { kMouseMove, kKeyDown, kTimer, kCommand, kKeyUp };
inline constexpr int kHandlerCount = 5;

// The event names after WINMSG, any case.
struct HandlerName {
  std::string_view text;
  Handler handler;
};
inline constexpr std::array<HandlerName, kHandlerCount> kHandlerNames = {{
    {"WMMOUSEMOVE", Handler::kMouseMove},
    {"WMKEYDOWN", Handler::kKeyDown},
    {"WMTIMER", Handler::kTimer},
    {"WMCOMMAND", Handler::kCommand},
    {"WMKEYUP", Handler::kKeyUp},
}};

struct Blocks {
  int if_count = 0, endif_count = 0;
  int while_count = 0, wend_count = 0;
  int func_count = 0, endfn_count = 0;
  int winmsg_count = 0, endwm_count = 0;

  // while_mark[p] == p for a WHILE token at p that passed its checks, else 0.
  ZeroTable<int> while_mark = ZeroTable<int>(kCursorLimit + 2);

  // Position of the message-name token after WINMSG, 0 when the script has no handler.
  std::array<int, kHandlerCount> handler_table{};
  int& HandlerEntry(Handler h) { return handler_table[static_cast<int>(h)]; }
  int HandlerEntry(Handler h) const { return handler_table[static_cast<int>(h)]; }
};

}  // namespace brindle
