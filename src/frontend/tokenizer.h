// Splits a script into the token table in one left-to-right pass.
#pragma once

#include <optional>
#include <string_view>

#include "frontend/token_table.h"
#include "lang/messages.h"

namespace brindle {

enum class TokenizerError {
  kNone = 0,
  kUnknownCharacter = 1,
  kUnclosedQuote = 2,
  kMissingRightParen = 3,
  kMissingLeftParen = 4,
  kMissingRightBracket = 5,
  kMissingLeftBracket = 6,
  kTooManyTokens = 7,
};

struct TokenizeResult {
  int token_count = 0;  // 0 after a fault
  TokenizerError error = TokenizerError::kNone;
  std::optional<Message> fault;
  size_t fault_offset = 0;  // where in the source the fault was found
};

// Fills table positions 1.. and its line count. Stops at the first fault; the tokens written
// before it stay.
TokenizeResult Tokenize(std::string_view source, TokenTable& table);

}  // namespace brindle
