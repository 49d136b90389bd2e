#include "lsp/features.h"

namespace brindle::lsp {
namespace {

// SymbolKind
constexpr int kSymbolFunction = 12;
constexpr int kSymbolConstant = 14;
constexpr int kSymbolEvent = 24;

using Kind = NameDefinition::Kind;

Json TokenRange(const Analysis& a, int p) {
  return RangeJson(a, a.TokenStart(p), a.TokenEnd(p));
}

// From the keyword before the name to the end of the block's closing keyword (to the name for
// a label, or a block that is not closed).
Json BlockRange(const Analysis& a, const NameDefinition& d) {
  const int last = d.end_token > 0 ? d.end_token : d.token;
  return RangeJson(a, a.TokenStart(d.token - 1), a.TokenEnd(last));
}

}  // namespace

Json DefinitionAt(const Analysis& a, const std::string& uri, Position at) {
  const NameDefinition* d = a.DefinitionOf(a.TokenAt(OffsetOf(a.lines, at)));
  if (d == nullptr) return nullptr;
  return {{"uri", uri}, {"range", TokenRange(a, d->token)}};
}

Json DocumentSymbols(const Analysis& a) {
  Json symbols = Json::array();
  for (const NameDefinition& d : a.names) {
    int kind = 0;
    std::string detail;
    if (d.kind == Kind::kLabel) {
      kind = kSymbolConstant;
      detail = "LABEL";
    } else if (d.kind == Kind::kFunction) {
      kind = kSymbolFunction;
      detail = "FUNC";
    } else if (d.kind == Kind::kHandler) {
      kind = kSymbolEvent;
      detail = "WINMSG";
    } else {
      continue;
    }
    symbols.push_back({{"name", Utf8Text(d.name)},
                       {"detail", detail},
                       {"kind", kind},
                       {"range", BlockRange(a, d)},
                       {"selectionRange", TokenRange(a, d.token)}});
  }
  return symbols;
}

}  // namespace brindle::lsp
