// What the server knows of one document: the findings of --lint, and the script's names
// (declarations, labels, functions, handler blocks) for hover, completion and navigation.
#pragma once

#include <string>
#include <vector>

#include "lint/lint.h"

namespace brindle::lsp {

// A name the script introduces, at the token that names it.
struct NameDefinition {
  enum class Kind { kVariable, kArray, kLabel, kFunction, kHandler };
  Kind kind;
  std::string name;      // as written
  int token = 0;         // the name's token
  int type = 0;          // variables and arrays: KW_VAR, KW_STR or KW_PTR
  int array_number = 0;  // arrays: 1 for the first declared
  int end_token = 0;     // functions and handler blocks: their ENDFN or ENDWM (0 when missing)
};

struct Analysis {
  std::string text;  // the script's bytes
  Examination exam;
  // The token table the names come from: the script's, or while its tokenizer fails, that of
  // the lines before the fault (so that an unfinished line does not blind the editor).
  const TokenTable* tokens = nullptr;
  std::vector<NameDefinition> names;

  // The token whose text covers the byte at offset (0 for none).
  int TokenAt(size_t offset) const;
  // Where token p ends in the text.
  size_t TokenEnd(int p) const;
  // The first definition of a name of one of the kinds, in any case (nullptr for none).
  const NameDefinition* Find(std::string_view name,
                             std::initializer_list<NameDefinition::Kind> kinds) const;
  // What the name at token p refers to, read from the tokens around it (nullptr for none).
  const NameDefinition* DefinitionOf(int p) const;

 private:
  Examination partial_;
  friend Analysis Analyse(std::string text);
};

Analysis Analyse(std::string text);

}  // namespace brindle::lsp
