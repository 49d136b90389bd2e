// The editor grammars of the language, built from the interpreter's own keyword and event
// tables so that the editors colour exactly the words the interpreter reads as keywords.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "lang/keyword_roles.h"

namespace brindle {

nlohmann::ordered_json BuildGrammar();

// A Vim syntax file of the same words, for Vim and Neovim.
std::string BuildVimSyntax();

// The keywords of one role, as the table spells them (plain capitals).
std::vector<std::string> KeywordsOf(KeywordRole role);

}  // namespace brindle
