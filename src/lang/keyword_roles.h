// What each keyword is for, by code, as the table of keywords gives it. Every entry must name a
// role (the table's expansion fails without one), and two entries with one code fail the build
// here as cases of one switch.
#pragma once

#include <string_view>

#include "lang/keywords.h"

namespace brindle {

constexpr KeywordRole RoleOf(KeywordCode code) {
  switch (code) {
#define BRINDLE_KEYWORD_ROLE(NAME, code, role, ...) \
  case KW_##NAME:                                   \
    return KeywordRole::k##role;
    BRINDLE_STATEMENTS(BRINDLE_KEYWORD_ROLE)
#undef BRINDLE_KEYWORD_ROLE
  }
  return KeywordRole::kUnknown;
}

}  // namespace brindle
