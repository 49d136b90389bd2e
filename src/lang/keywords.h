// The keywords of the language. This one table drives classification, the executor's dispatch
// and the reference documentation.
#pragma once

#include <array>
#include <string_view>

namespace brindle {

// Keyword codes share the number space of the token kinds: STR, VAR and PTR are also the kinds
// of "^", "`" and "~", so those characters act as these keywords wherever a keyword is looked
// for. The declaring keyword's code doubles as the type tag of variables and arrays.
enum KeywordCode : int {
  KW_STR = 0x20,
  KW_VAR = 0x21,
  KW_PTR = 0x22,
  KW_IF = 0x23,
  KW_ELSE = 0x24,
  KW_ENDIF = 0x25,
  KW_WHILE = 0x26,
  KW_WEND = 0x27,
  KW_FOR = 0x28,
  KW_TO = 0x29,
  KW_STEP = 0x2a,
  KW_NEXT = 0x2b,
  KW_PRINT = 0x2c,
  KW_STRS = 0x2d,
  KW_VAL = 0x2e,
  KW_LABEL = 0x2f,
  KW_GOTO = 0x30,
  KW_PSET = 0x31,
  KW_RND = 0x32,
  KW_WCOLOR = 0x33,
  KW_SIN = 0x34,
  KW_COS = 0x35,
  KW_TAN = 0x36,
  KW_FCOLOR = 0x37,
  KW_BCOLOR = 0x38,
  KW_CIRCLE = 0x39,
  KW_RECT = 0x3a,
  KW_LINE = 0x3b,
  KW_SWAP = 0x3c,
  KW_RAND = 0x3d,
  KW_ABS = 0x3e,
  KW_ATAN = 0x3f,
  KW_SQR = 0x40,
  KW_LOG = 0x41,
  KW_ROUND = 0x42,
  KW_INT = 0x43,
  KW_FUNC = 0x44,
  KW_ENDFN = 0x45,
  KW_FRAC = 0x46,
  KW_WINMSG = 0x47,
  KW_ENDWM = 0x48,
  KW_MOUSEX = 0x49,
  KW_MOUSEY = 0x4a,
  KW_HWPARAM = 0x4b,
  KW_HLPARAM = 0x4c,
  KW_GETTICK = 0x4d,
  KW_LOADIMG = 0x5b,
  KW_SHOWIMG = 0x5c,
  KW_SHOWIMGT = 0x5d,
  KW_MSTR = 0x64,
  KW_LSTR = 0x65,
  KW_RSTR = 0x66,
  KW_CHRS = 0x67,
  KW_TIMERON = 0x68,
  KW_TIMEROFF = 0x69,
  KW_PLOT = 0x6a,
  KW_DRAW = 0x6b,
  KW_INPUTBOX = 0x6e,
  KW_SETTEXT = 0x6f,
  KW_GETTEXT = 0x70,
  KW_SETFOCUS = 0x71,
};

// Every kind number fits below this bound; tables indexed by kind use it.
constexpr int kKindLimit = 0x80;

// The block keywords whose numbers must balance.
enum class BlockCounter { kNone, kIf, kEndif, kWhile, kWend, kFunc, kEndfn, kWinmsg, kEndwm };

struct Keyword {
  std::string_view text;
  KeywordCode code;
  BlockCounter counter;
};

// Classified before the declarations are read, in this order.
inline constexpr std::array<Keyword, 58> kKeywords = {{
    {"IF", KW_IF, BlockCounter::kIf},
    {"ELSE", KW_ELSE, BlockCounter::kNone},
    {"ENDIF", KW_ENDIF, BlockCounter::kEndif},
    {"WHILE", KW_WHILE, BlockCounter::kWhile},
    {"WEND", KW_WEND, BlockCounter::kWend},
    {"FOR", KW_FOR, BlockCounter::kNone},
    {"TO", KW_TO, BlockCounter::kNone},
    {"STEP", KW_STEP, BlockCounter::kNone},
    {"NEXT", KW_NEXT, BlockCounter::kNone},
    {"PRINT", KW_PRINT, BlockCounter::kNone},
    {"STRS", KW_STRS, BlockCounter::kNone},
    {"VAL", KW_VAL, BlockCounter::kNone},
    {"LABEL", KW_LABEL, BlockCounter::kNone},
    {"GOTO", KW_GOTO, BlockCounter::kNone},
    {"WCOLOR", KW_WCOLOR, BlockCounter::kNone},
    {"FCOLOR", KW_FCOLOR, BlockCounter::kNone},
    {"BCOLOR", KW_BCOLOR, BlockCounter::kNone},
    {"PSET", KW_PSET, BlockCounter::kNone},
    {"CIRCLE", KW_CIRCLE, BlockCounter::kNone},
    {"RECT", KW_RECT, BlockCounter::kNone},
    {"LINE", KW_LINE, BlockCounter::kNone},
    {"RND", KW_RND, BlockCounter::kNone},
    {"SIN", KW_SIN, BlockCounter::kNone},
    {"COS", KW_COS, BlockCounter::kNone},
    {"TAN", KW_TAN, BlockCounter::kNone},
    {"SWAP", KW_SWAP, BlockCounter::kNone},
    {"RAND", KW_RAND, BlockCounter::kNone},
    {"ABS", KW_ABS, BlockCounter::kNone},
    {"ATAN", KW_ATAN, BlockCounter::kNone},
    {"SQR", KW_SQR, BlockCounter::kNone},
    {"LOG", KW_LOG, BlockCounter::kNone},
    {"ROUND", KW_ROUND, BlockCounter::kNone},
    {"INT", KW_INT, BlockCounter::kNone},
    {"FUNC", KW_FUNC, BlockCounter::kFunc},
    {"ENDFN", KW_ENDFN, BlockCounter::kEndfn},
    {"FRAC", KW_FRAC, BlockCounter::kNone},
    {"WINMSG", KW_WINMSG, BlockCounter::kWinmsg},
    {"ENDWM", KW_ENDWM, BlockCounter::kEndwm},
    {"MOUSEX", KW_MOUSEX, BlockCounter::kNone},
    {"MOUSEY", KW_MOUSEY, BlockCounter::kNone},
    {"HWPARAM", KW_HWPARAM, BlockCounter::kNone},
    {"HLPARAM", KW_HLPARAM, BlockCounter::kNone},
    {"GETTICK", KW_GETTICK, BlockCounter::kNone},
    {"LOADIMG", KW_LOADIMG, BlockCounter::kNone},
    {"SHOWIMG", KW_SHOWIMG, BlockCounter::kNone},
    {"SHOWIMGT", KW_SHOWIMGT, BlockCounter::kNone},
    {"MSTR", KW_MSTR, BlockCounter::kNone},
    {"LSTR", KW_LSTR, BlockCounter::kNone},
    {"RSTR", KW_RSTR, BlockCounter::kNone},
    {"CHRS", KW_CHRS, BlockCounter::kNone},
    {"TIMERON", KW_TIMERON, BlockCounter::kNone},
    {"TIMEROFF", KW_TIMEROFF, BlockCounter::kNone},
    {"PLOT", KW_PLOT, BlockCounter::kNone},
    {"DRAW", KW_DRAW, BlockCounter::kNone},
    {"INPUTBOX", KW_INPUTBOX, BlockCounter::kNone},
    {"SETTEXT", KW_SETTEXT, BlockCounter::kNone},
    {"GETTEXT", KW_GETTEXT, BlockCounter::kNone},
    {"SETFOCUS", KW_SETFOCUS, BlockCounter::kNone},
}};

// The declaring keywords, recognised while the declarations are read.
struct DeclarationKeyword {
  std::string_view text;
  KeywordCode code;
};
inline constexpr std::array<DeclarationKeyword, 3> kDeclarationKeywords = {{
    {"VAR", KW_VAR},
    {"STR", KW_STR},
    {"PTR", KW_PTR},
}};

}  // namespace brindle
