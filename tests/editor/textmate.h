// A small TextMate grammar matcher for the tests: `match` and `begin`/`end` rules, captures,
// `include` of repository rules and `$self`, with Oniguruma, the engine editors use. At each
// place the pattern whose match starts first wins, the earlier one in the list on a tie, and a
// block's `end` is tried before its patterns: the rules of TextMate and VS Code.
#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::textmate {

// The scopes over one byte of the text, outermost first.
using Scopes = std::vector<std::string>;

class Grammar {
 public:
  // Throws std::runtime_error for a rule it cannot read or a pattern Oniguruma rejects.
  explicit Grammar(const nlohmann::json& grammar);
  ~Grammar();
  Grammar(const Grammar&) = delete;
  Grammar& operator=(const Grammar&) = delete;

  // Matches the text line by line, carrying open blocks from line to line as an editor does;
  // returns the scopes of every byte of the text (line feeds included).
  std::vector<Scopes> ScopesOfBytes(std::string_view text) const;

 private:
  struct Rule;
  const Rule* Compile(const nlohmann::json& rule);
  std::vector<const Rule*> CompileList(const nlohmann::json& patterns);
  std::vector<const Rule*> Candidates(const std::vector<const Rule*>& open) const;
  void MatchLine(std::string_view line, size_t line_start, std::vector<const Rule*>& open,
                 std::vector<Scopes>& out) const;

  const nlohmann::json& repository_;
  std::vector<std::unique_ptr<Rule>> rules_;
  std::vector<const Rule*> top_;
};

// Whether `pattern` matches anywhere in `text`, with the same engine.
bool Matches(const std::string& pattern, std::string_view text);

}  // namespace brindle::textmate
