// The one pass over the tokens between tokenizing and running: keyword classification,
// declarations and name binding, handler registration, statement checks and block balance.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/token_table.h"
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
Fault BindIdentifier(const PrePassTables& t, int p, int line);
Fault ResolveGoto(const PrePassTables& t, int p, int line);
Fault RegisterHandler(const PrePassTables& t, int p, int line);
Fault CheckStatement(const PrePassTables& t, int p, int line);
Fault CheckBlockBalance(const Blocks& blocks);

}  // namespace brindle
