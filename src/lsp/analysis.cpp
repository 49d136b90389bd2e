#include "lsp/analysis.h"

#include <cctype>
#include <optional>

#include "lang/keywords.h"
#include "lang/text.h"
#include "prepass/prepass.h"

namespace brindle::lsp {
namespace {

using Kind = NameDefinition::Kind;

// A declaring keyword, before the pre-check has read its line (a name) or after (its type).
int DeclaringType(const TokenTable& tokens, int p) {
  const std::string upper = UpperCase(tokens.text[p]);
  for (const DeclarationKeyword& d : kDeclarationKeywords) {
    if (upper == d.text && (tokens.kind[p] == TK_IDENT || tokens.kind[p] == d.code)) {
      return d.code;
    }
  }
  return 0;
}

int NextOfKind(const TokenTable& tokens, int p, int kind) {
  for (; p <= tokens.count; ++p) {
    if (tokens.kind[p] == kind) return p;
  }
  return 0;
}

std::vector<NameDefinition> IndexNames(const TokenTable& tokens) {
  std::vector<NameDefinition> names;
  int arrays = 0;
  for (int p = 1; p <= tokens.count; ++p) {
    const int kind = tokens.kind[p];
    const bool named = tokens.kind[p + 1] == TK_IDENT;
    if (const int type = DeclaringType(tokens, p)) {
      p = ForEachDeclaredName(
              tokens, p, type,
              [&](int q, bool variable, bool array) {
                if (array) names.push_back({Kind::kArray, tokens.text[q], q, type, ++arrays, 0});
                if (variable) names.push_back({Kind::kVariable, tokens.text[q], q, type, 0, 0});
                return true;
              }) -
          1;
    } else if (kind == KW_LABEL && named) {
      names.push_back({Kind::kLabel, tokens.text[p + 1], p + 1, 0, 0, 0});
    } else if (kind == KW_FUNC && named) {
      names.push_back(
          {Kind::kFunction, tokens.text[p + 1], p + 1, 0, 0, NextOfKind(tokens, p, KW_ENDFN)});
    } else if (kind == KW_WINMSG && named) {
      names.push_back(
          {Kind::kHandler, tokens.text[p + 1], p + 1, 0, 0, NextOfKind(tokens, p, KW_ENDWM)});
    }
  }
  return names;
}

bool IsNameByte(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsNumberByte(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) || c == '.';
}

// The table of the whole text, or while its tokenizer fails, that of the lines before the
// fault, which takes an examination of its own.
const TokenTable& NamedTokens(const Examination& exam, std::string_view text,
                              std::optional<Examination>& partial) {
  if (exam.tokenized || exam.findings.empty() || !exam.findings[0].offset) {
    return exam.image->tokens;
  }
  const size_t fault = *exam.findings[0].offset;
  const size_t line_start = text.rfind('\n', fault == 0 ? 0 : fault - 1);
  if (line_start == std::string::npos || line_start >= fault) return exam.image->tokens;
  partial = Examine(text.substr(0, line_start + 1));
  return partial->tokenized ? partial->image->tokens : exam.image->tokens;
}

}  // namespace

Analysis Analyse(std::string text, std::string_view script_path) {
  Analysis a;
  Examination exam = Examine(text);
  if (!script_path.empty()) AddMissingPictures(text, script_path, exam);
  std::optional<Examination> partial;
  const TokenTable& tokens = NamedTokens(exam, text, partial);
  a.names = IndexNames(tokens);
  a.tokens_.resize(static_cast<size_t>(tokens.count) + 2);
  for (int p = 1; p <= tokens.count; ++p) {
    a.tokens_[p] = {tokens.kind[p], static_cast<size_t>(tokens.offset[p]), tokens.text[p]};
  }
  a.tokenized = exam.tokenized;
  a.findings = std::move(exam.findings);
  a.lines = std::move(exam.lines);
  a.text = std::move(text);
  return a;
}

const Analysis::KeptToken& Analysis::Token(int p) const {
  static const KeptToken kNone;
  return p >= 0 && static_cast<size_t>(p) < tokens_.size() ? tokens_[p] : kNone;
}

size_t Analysis::TokenEnd(int p) const {
  const size_t start = TokenStart(p);
  const int kind = TokenKind(p);
  if (start >= text.size() || kind == TK_EOL) return start;
  if (kind == TK_STRING) {
    const size_t close = text.find('"', start + 1);
    return close == std::string::npos ? text.size() : close + 1;
  }
  const bool number = kind == TK_NUMBER;
  if (!(number ? IsNumberByte(text[start]) : IsNameByte(text[start]))) return start + 1;
  size_t end = start;
  while (end < text.size() && (number ? IsNumberByte(text[end]) : IsNameByte(text[end]))) ++end;
  return end;
}

int Analysis::TokenAt(size_t offset) const {
  for (int p = 1; p <= TokenCount(); ++p) {
    const size_t start = TokenStart(p);
    if (start > offset) break;
    // The cursor just after a name still points at it.
    const size_t end = TokenEnd(p);
    if (offset < end || (offset == end && end > start && IsNameByte(text[end - 1]))) {
      return p;
    }
  }
  return 0;
}

const NameDefinition* Analysis::Find(std::string_view name,
                                     std::initializer_list<NameDefinition::Kind> kinds) const {
  const std::string lower = LowerCase(name);
  for (const NameDefinition& d : names) {
    if (LowerCase(d.name) != lower) continue;
    for (Kind k : kinds) {
      if (d.kind == k) return &d;
    }
  }
  return nullptr;
}

const NameDefinition* Analysis::DefinitionOf(int p) const {
  if (p < 1 || TokenKind(p) != TK_IDENT) return nullptr;
  const std::string& name = TokenText(p);
  const int before = TokenKind(p - 1);
  const int after = TokenKind(p + 1);
  if (before == KW_GOTO || before == KW_LABEL) return Find(name, {Kind::kLabel});
  if (before == KW_WINMSG) return nullptr;  // an event name, not a name of the script
  if (before == KW_FUNC || after == TK_LPAREN) return Find(name, {Kind::kFunction});
  if (after == TK_LBRACKET) return Find(name, {Kind::kArray, Kind::kVariable});
  return Find(name, {Kind::kVariable, Kind::kArray, Kind::kFunction, Kind::kLabel});
}

}  // namespace brindle::lsp
