// The answers of the language server, each from a document's analysis, in the protocol's JSON
// shapes.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "lsp/analysis.h"
#include "lsp/document_text.h"

namespace brindle::lsp {

using Json = nlohmann::json;

Json RangeJson(const Analysis& a, size_t start, size_t end);

// Diagnostic[]: the faults and warnings of --lint.
Json Diagnostics(const Analysis& a);
// Hover, or null: a keyword's reference entry, a name's declaration.
Json HoverAt(const Analysis& a, Position at);
// CompletionItem[]: labels after GOTO, event names after WINMSG, else keywords and names.
Json CompletionAt(const Analysis& a, Position at);
// Location, or null.
Json DefinitionAt(const Analysis& a, const std::string& uri, Position at);
// DocumentSymbol[]: labels, functions and handler blocks.
Json DocumentSymbols(const Analysis& a);

}  // namespace brindle::lsp
