// What each keyword is for, as editors show it: the editor grammar colours keywords by role.
// Every keyword code must be listed in RoleOf (the compiler warns of a missing case, and the
// checks below fail the build), so a new keyword cannot go uncoloured.
#pragma once

#include <string_view>

#include "lang/keywords.h"

namespace brindle {

enum class KeywordRole { kUnknown, kControl, kDeclaration, kStatement, kFunction };

constexpr KeywordRole RoleOf(KeywordCode code) {
  switch (code) {
    case KW_IF:
    case KW_ELSE:
    case KW_ENDIF:
    case KW_WHILE:
    case KW_WEND:
    case KW_FOR:
    case KW_TO:
    case KW_STEP:
    case KW_NEXT:
    case KW_LABEL:
    case KW_GOTO:
    case KW_FUNC:
    case KW_ENDFN:
    case KW_WINMSG:
    case KW_ENDWM:
      return KeywordRole::kControl;
    case KW_VAR:
    case KW_STR:
    case KW_PTR:
      return KeywordRole::kDeclaration;
    case KW_PRINT:
    case KW_PSET:
    case KW_WCOLOR:
    case KW_FCOLOR:
    case KW_BCOLOR:
    case KW_CIRCLE:
    case KW_RECT:
    case KW_LINE:
    case KW_SWAP:
    case KW_MOUSEX:
    case KW_MOUSEY:
    case KW_HWPARAM:
    case KW_HLPARAM:
    case KW_GETTICK:
    case KW_LOADIMG:
    case KW_SHOWIMG:
    case KW_SHOWIMGT:
    case KW_TIMERON:
    case KW_TIMEROFF:
    case KW_PLOT:
    case KW_DRAW:
    case KW_INPUTBOX:
    case KW_SETTEXT:
    case KW_GETTEXT:
    case KW_SETFOCUS:
      return KeywordRole::kStatement;
    case KW_STRS:
    case KW_VAL:
    case KW_RND:
    case KW_SIN:
    case KW_COS:
    case KW_TAN:
    case KW_RAND:
    case KW_ABS:
    case KW_ATAN:
    case KW_SQR:
    case KW_LOG:
    case KW_ROUND:
    case KW_INT:
    case KW_FRAC:
    case KW_MSTR:
    case KW_LSTR:
    case KW_RSTR:
    case KW_CHRS:
      return KeywordRole::kFunction;
  }
  return KeywordRole::kUnknown;
}

namespace keyword_roles_detail {
constexpr bool EveryKeywordHasARole() {
  for (const Keyword& k : kKeywords) {
    if (RoleOf(k.code) == KeywordRole::kUnknown) return false;
  }
  for (const DeclarationKeyword& d : kDeclarationKeywords) {
    if (RoleOf(d.code) != KeywordRole::kDeclaration) return false;
  }
  return true;
}
}  // namespace keyword_roles_detail
static_assert(keyword_roles_detail::EveryKeywordHasARole(),
              "a keyword of kKeywords has no role: add it to RoleOf");

}  // namespace brindle
