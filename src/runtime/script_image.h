// The script as the front end and the pre-check leave it: its tokens, names and bindings,
// blocks and handlers, and the facts derived from them before the first run. The host fills it;
// everything that runs the script sees it read-only, through Interpreter::image.
#pragma once

#include "frontend/token_table.h"
#include "prepass/blocks.h"
#include "prepass/symbols.h"
#include "runtime/token_facts.h"

namespace brindle {

struct ScriptImage {
  TokenTable tokens;
  Symbols symbols;
  Blocks blocks;
  TokenFacts facts;
};

}  // namespace brindle
