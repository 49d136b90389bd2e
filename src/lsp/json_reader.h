// Reads a message's JSON into a tree, within limits that no message of the protocol comes near,
// so that no message can make the server exhaust its stack or its memory: the tree's copies and
// its teardown recurse or keep a stack as deep and as long as the tree.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace brindle::lsp {

using Json = nlohmann::json;

// Arrays and objects inside each other. The deepest messages of the protocol (capabilities,
// settings) nest about ten levels.
inline constexpr size_t kMaxJsonDepth = 128;
// Values in one message, each member's name counted as one more: about 100 bytes each in the
// tree, so a message holds at most about 100 MiB besides its strings. A change of a hundred
// thousand edits (ten values each) stays below.
inline constexpr size_t kMaxJsonValues = size_t{1} << 20;

// Parses body into `into`. Returns "" for a message; else why it is none (invalid JSON, nested
// too deep, too many values), with `into` holding what was read before it was refused.
std::string ReadJson(std::string_view body, Json& into);

}  // namespace brindle::lsp
