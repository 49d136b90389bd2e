// What the server knows of one document: the findings of --lint, and the script's names
// (declarations, labels, functions, handler blocks) for hover, completion and navigation.
// Only what is in proportion to the text is kept: its tokens as a list, not the tables that a
// run needs, sized for the largest script.
#pragma once

#include <string>
#include <vector>

#include "frontend/source_position.h"
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
  LineIndex lines;   // of text
  bool tokenized = false;
  std::vector<Finding> findings;  // in the order of --lint
  std::vector<NameDefinition> names;

  // The tokens the names come from, by position from 1 (before the first and after the last:
  // kind TK_NONE, text ""): the script's, or while its tokenizer fails, those of the lines
  // before the fault (so that an unfinished line does not blind the editor).
  int TokenCount() const { return static_cast<int>(tokens_.size()) - 2; }
  int TokenKind(int p) const { return Token(p).kind; }
  const std::string& TokenText(int p) const { return Token(p).text; }
  size_t TokenStart(int p) const { return Token(p).offset; }

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
  struct KeptToken {
    int kind = 0;
    size_t offset = 0;
    std::string text;
  };
  const KeptToken& Token(int p) const;

  std::vector<KeptToken> tokens_ = std::vector<KeptToken>(2);
  friend Analysis Analyse(std::string text, std::string_view script_path);
};

// script_path: where the script is saved, for the warnings that look beside it ("" for none).
Analysis Analyse(std::string text, std::string_view script_path = "");

}  // namespace brindle::lsp
