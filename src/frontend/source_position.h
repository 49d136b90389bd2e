// Lines and columns of a script, as a user's editor counts them: from 1, a column per byte.
#pragma once

#include <cstddef>
#include <string_view>

#include "frontend/token_table.h"

namespace brindle {

struct SourcePosition {
  int line = 1;
  int column = 1;
};

// The position of the byte at offset (the end of the source for an offset past it). Only a
// fault asks, so counting the line feeds before it each time costs nothing that matters.
SourcePosition PositionAt(std::string_view source, size_t offset);

// Where token p starts.
SourcePosition PositionOfToken(std::string_view source, const TokenTable& tokens, int p);

}  // namespace brindle
