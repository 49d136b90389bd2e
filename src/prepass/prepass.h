// The one pass over the tokens between tokenizing and running: keyword classification,
// declarations and name binding, handler registration, statement checks and block balance.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Every fault of the script, for the tools that report them all: after a fault the pass goes on
// with the next statement, as if the faulty one had passed (so later faults may be echoes of
// it: a name its declaration did not reach is unknown). The run stops at the first instead.
std::vector<Message> PrePassAll(const PrePassTables& t);

// Where the steps hand each fault: true to go on after it, false to stop there.
using FaultSink = std::function<bool(Message)>;

// Steps of the pass, each in its own file; each returns false when the sink stopped it.
void ClassifyKeywords(const PrePassTables& t);
bool RegisterLabels(const PrePassTables& t, const FaultSink& found);
bool RegisterFunctions(const PrePassTables& t, const FaultSink& found);
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
// The block counts' faults, each placed at the block that lacks its end (or start).
bool CheckBlockBalance(const TokenTable& tokens, const Blocks& blocks, const FaultSink& found);

}  // namespace brindle
