#include <cctype>
#include <set>
#include <utility>

#include "lang/keywords.h"
#include "lang/reference.h"
#include "lang/text.h"
#include "lsp/features.h"

namespace brindle::lsp {
namespace {

// CompletionItemKind
constexpr int kItemFunction = 3;
constexpr int kItemVariable = 6;
constexpr int kItemKeyword = 14;
constexpr int kItemReference = 18;
constexpr int kItemEvent = 23;

constexpr std::string_view kEventNames[] = {"WMMOUSEMOVE", "WMKEYDOWN", "WMKEYUP", "WMTIMER",
                                            "WMCOMMAND"};

using Kind = NameDefinition::Kind;

bool IsNameByte(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The word before the one being typed at offset ("" when there is none on the line).
std::string PreviousWord(std::string_view text, size_t offset) {
  size_t at = offset;
  while (at > 0 && IsNameByte(text[at - 1])) --at;  // the word being typed
  while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t')) --at;
  const size_t end = at;
  while (at > 0 && IsNameByte(text[at - 1])) --at;
  return UpperCase(text.substr(at, end - at));
}

Json Item(std::string_view label, int kind, std::string_view detail) {
  return {{"label", label}, {"kind", kind}, {"detail", detail}};
}

Json Documented(Json item, const ReferenceEntry& entry) {
  item["documentation"] = {{"kind", "markdown"}, {"value", entry.body}};
  return item;
}

void AddKeywords(Json& items) {
  const auto add = [&](std::string_view text) {
    const std::optional<ReferenceEntry> entry = FindReference(text);
    Json item = Item(text, kItemKeyword, entry ? entry->form : "");
    items.push_back(entry ? Documented(std::move(item), *entry) : std::move(item));
  };
  for (const Keyword& k : kKeywords) add(k.text);
  for (const DeclarationKeyword& d : kDeclarationKeywords) add(d.text);
}

void AddEvents(Json& items) {
  for (std::string_view name : kEventNames) {
    const std::optional<ReferenceEntry> entry = FindReference(name);
    Json item = Item(name, kItemEvent, "event of a WINMSG block");
    items.push_back(entry ? Documented(std::move(item), *entry) : std::move(item));
  }
}

void AddNames(const Analysis& a, Json& items, bool labels_only) {
  std::set<std::pair<std::string, int>> seen;
  for (const NameDefinition& d : a.names) {
    if (labels_only != (d.kind == Kind::kLabel) || d.kind == Kind::kHandler) continue;
    // The first of a name is the one a use binds to.
    if (!seen.insert({LowerCase(d.name), static_cast<int>(d.kind)}).second) continue;
    const std::string name = Utf8Text(d.name);
    switch (d.kind) {
      case Kind::kVariable:
        items.push_back(Item(name, kItemVariable, "variable"));
        break;
      case Kind::kArray:
        items.push_back(Item(name, kItemVariable, "array"));
        break;
      case Kind::kFunction:
        items.push_back(Item(name, kItemFunction, "function"));
        items.back()["insertText"] = name + "()";
        break;
      case Kind::kLabel:
        items.push_back(Item(name, kItemReference, "label"));
        break;
      case Kind::kHandler:
        break;
    }
  }
}

}  // namespace

Json CompletionAt(const Analysis& a, Position at) {
  const std::string before = PreviousWord(a.text, OffsetOf(a.lines, at));
  Json items = Json::array();
  if (before == "LABEL" || before == "FUNC" || before == "VAR" || before == "STR" ||
      before == "PTR") {
    return items;  // a new name is being written
  }
  if (before == "GOTO") {
    AddNames(a, items, true);
  } else if (before == "WINMSG") {
    AddEvents(items);
  } else {
    AddKeywords(items);
    AddNames(a, items, false);
  }
  return items;
}

}  // namespace brindle::lsp
