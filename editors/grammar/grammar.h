// The TextMate grammar of the language, built from the interpreter's own keyword and event
// tables so that the editors colour exactly the words the interpreter reads as keywords.
#pragma once

#include <nlohmann/json.hpp>

namespace brindle {

nlohmann::ordered_json BuildGrammar();

}  // namespace brindle
