// The hints that follow a pre-check fault: what its box does not say, the likely cause and what
// to write instead. Each is a warning at the fault's token (or at the word that caused it).
#pragma once

#include <optional>

#include "frontend/token_table.h"
#include "lint/lint.h"

namespace brindle {

// A hint for the fault found at token p of a statement, or nothing when none applies.
std::optional<Warning> FaultHint(const TokenTable& tokens, int p);

}  // namespace brindle
