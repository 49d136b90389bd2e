// The one pass over the tokens between tokenizing and running: keyword classification,
// declarations and name binding, handler registration, statement checks and block balance.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/token_table.h"
#include "lang/keywords.h"
#include "lang/messages.h"
#include "prepass/blocks.h"
#include "prepass/symbols.h"

namespace brindle {

struct PrePassTables {
  TokenTable& tokens;
  Symbols& symbols;
  Blocks& blocks;
};

// The first fault found, or nothing when the script passed. What the pass recorded before the
// fault stays in the tables.
using Fault = std::optional<Message>;
Fault PrePass(const PrePassTables& t);

// Steps of the pass, each in its own file.
void ClassifyKeywords(const PrePassTables& t);
Fault RegisterLabels(const PrePassTables& t);
Fault RegisterFunctions(const PrePassTables& t);
// Declares the names of the list after the keyword at p; returns the position that ended it.
int Declare(const PrePassTables& t, int p, int line, Fault& fault);

// The names a declaration of a type (KW_VAR, KW_STR, KW_PTR) whose keyword is at p declares:
// every name up to the statement's end, wherever it stands in the list. A name before "["
// declares an array, and for STR and PTR a plain variable too. Calls declare(q, variable,
// array) for each name's position q until it returns false; returns the position that ended
// the list (or the name where it stopped).
template <typename DeclareName>
int ForEachDeclaredName(const TokenTable& tokens, int p, int type, DeclareName&& declare) {
  int q = p + 1;
  for (; q <= tokens.count; ++q) {
    const int kind = tokens.kind[q];
    if (kind == TK_COLON || kind == TK_EOL) break;
    if (kind != TK_IDENT) continue;
    const bool array = tokens.kind[q + 1] == TK_LBRACKET;
    if (!declare(q, type != KW_VAR || !array, array)) break;
  }
  return q;
}
Fault BindIdentifier(const PrePassTables& t, int p, int line);
Fault ResolveGoto(const PrePassTables& t, int p, int line);
Fault RegisterHandler(const PrePassTables& t, int p, int line);
Fault CheckStatement(const PrePassTables& t, int p, int line);
// The block counts' fault, placed at the block that lacks its end (or start).
Fault CheckBlockBalance(const TokenTable& tokens, const Blocks& blocks);

}  // namespace brindle
