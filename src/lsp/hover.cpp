#include "lang/keywords.h"
#include "lang/reference.h"
#include "lang/text.h"
#include "lsp/features.h"
#include "prepass/symbols.h"

namespace brindle::lsp {
namespace {

// Arrays past this many have no cells: they read 0 or "" and drop every write.
constexpr int kArraysWithStorage = 16;

using Kind = NameDefinition::Kind;

std::string TypeName(int type) {
  switch (type) {
    case KW_STR:
      return "a string";
    case KW_PTR:
      return "a 32-bit integer (a handle)";
    default:
      return "a number (32-bit float)";
  }
}

std::string DeclaringKeyword(int type) {
  return type == KW_STR ? "STR" : type == KW_PTR ? "PTR" : "VAR";
}

int LineOf(const Analysis& a, int p) {
  return a.lines.At(a.TokenStart(p)).line;
}

std::string Describe(const Analysis& a, const NameDefinition& d) {
  const std::string line = std::to_string(LineOf(a, d.token));
  const std::string end = d.end_token > 0 ? std::to_string(LineOf(a, d.end_token)) : "?";
  switch (d.kind) {
    case Kind::kVariable:
      return "```basic\n" + DeclaringKeyword(d.type) + " " + d.name +
             "\n```\n\nA variable: " + TypeName(d.type) + ", declared on line " + line + ".";
    case Kind::kArray: {
      std::string text = "```basic\n" + DeclaringKeyword(d.type) + " " + d.name +
                         "[]\n```\n\nAn array of " + TypeName(d.type) +
                         " values, cells 1 to 4096, declared on line " + line + " (array " +
                         std::to_string(d.array_number) + ").";
      if (d.array_number > kArraysWithStorage) {
        text +=
            " Only the first 16 arrays have storage: this one reads 0 or \"\" and drops "
            "every write.";
      }
      return text;
    }
    case Kind::kLabel:
      return "```basic\nLABEL " + d.name + "\n```\n\nA label on line " + line + ".";
    case Kind::kFunction:
      return "```basic\nFUNC " + d.name + "()\n```\n\nA function, lines " + line + " to " + end +
             ".";
    case Kind::kHandler:
      break;
  }
  return "";
}

// The reference entry for a keyword, a declaring keyword or an event name at token p.
std::optional<ReferenceEntry> EntryAt(const Analysis& a, int p) {
  const int kind = a.TokenKind(p);
  const std::string& text = a.TokenText(p);
  const bool keyword = kind >= KW_STR && kind < kKindLimit && !text.empty() &&
                       std::isalpha(static_cast<unsigned char>(text[0]));
  const bool declaring = kind == TK_IDENT && text.size() == 3 && FindReference(text) &&
                         (p == 1 || a.TokenKind(p - 1) == TK_EOL || a.TokenKind(p - 1) == TK_COLON);
  const bool event = kind == TK_IDENT && a.TokenKind(p - 1) == KW_WINMSG;
  if (keyword || declaring || event) return FindReference(text);
  return std::nullopt;
}

}  // namespace

Json HoverAt(const Analysis& a, Position at) {
  const int p = a.TokenAt(OffsetOf(a.lines, at));
  if (p == 0) return nullptr;
  std::string markdown;
  if (std::optional<ReferenceEntry> entry = EntryAt(a, p)) {
    markdown = "**" + std::string(entry->name) + "**\n\n" + std::string(entry->body);
  } else if (const NameDefinition* d = a.DefinitionOf(p)) {
    markdown = Utf8Text(Describe(a, *d));
  }
  if (markdown.empty()) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", markdown}}},
          {"range", RangeJson(a, a.TokenStart(p), a.TokenEnd(p))}};
}

}  // namespace brindle::lsp
