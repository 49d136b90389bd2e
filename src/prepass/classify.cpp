#include <string>
#include <unordered_map>

#include "lang/keywords.h"
#include "lang/text.h"
#include "prepass/prepass.h"

namespace brindle {
namespace {

void CountBlock(Blocks& b, BlockCounter counter) {
  switch (counter) {
    case BlockCounter::kNone:
      break;
    case BlockCounter::kIf:
      ++b.if_count;
      break;
    case BlockCounter::kEndif:
      ++b.endif_count;
      break;
    case BlockCounter::kWhile:
      ++b.while_count;
      break;
    case BlockCounter::kWend:
      ++b.wend_count;
      break;
    case BlockCounter::kFunc:
      ++b.func_count;
      break;
    case BlockCounter::kEndfn:
      ++b.endfn_count;
      break;
    case BlockCounter::kWinmsg:
      ++b.winmsg_count;
      break;
    case BlockCounter::kEndwm:
      ++b.endwm_count;
      break;
  }
}

const std::unordered_map<std::string_view, const Keyword*>& KeywordsByText() {
  static const auto* map = [] {
    auto* m = new std::unordered_map<std::string_view, const Keyword*>;
    for (const Keyword& k : kKeywords) m->emplace(k.text, &k);
    return m;
  }();
  return *map;
}

}  // namespace

// Only names are keywords: a string literal whose text is a keyword stays a literal.
void ClassifyKeywords(const PrePassTables& t) {
  const auto& keywords = KeywordsByText();
  for (int p = 1; p <= t.tokens.count; ++p) {
    if (t.tokens.kind[p] != TK_IDENT) continue;
    auto it = keywords.find(UpperCase(t.tokens.text[p]));
    if (it == keywords.end()) continue;
    t.tokens.kind[p] = it->second->code;
    CountBlock(t.blocks, it->second->counter);
  }
}

}  // namespace brindle
