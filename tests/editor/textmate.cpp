#include "textmate.h"

#include <oniguruma.h>

#include <map>
#include <stdexcept>

namespace brindle::textmate {

class Regex {
 public:
  explicit Regex(const std::string& pattern) {
    static const bool initialized = [] {
      OnigEncoding encodings[] = {ONIG_ENCODING_ASCII};
      return onig_initialize(encodings, 1) == ONIG_NORMAL;
    }();
    if (!initialized) throw std::runtime_error("Oniguruma did not start");
    const auto* p = reinterpret_cast<const OnigUChar*>(pattern.data());
    OnigErrorInfo info;
    const int status = onig_new(&regex, p, p + pattern.size(), ONIG_OPTION_NONE,
                                ONIG_ENCODING_ASCII, ONIG_SYNTAX_ONIGURUMA, &info);
    if (status != ONIG_NORMAL) {
      OnigUChar text[ONIG_MAX_ERROR_MESSAGE_LEN];
      onig_error_code_to_str(text, status, &info);
      throw std::runtime_error("bad pattern " + pattern + ": " + reinterpret_cast<char*>(text));
    }
  }
  ~Regex() {
    if (regex != nullptr) onig_free(regex);
  }
  Regex(const Regex&) = delete;
  Regex& operator=(const Regex&) = delete;

  // The first match at or after `from`: fills `spans` with (begin, end) of the whole match and
  // each group, (-1, -1) for a group that took no part. False when there is none.
  bool Search(std::string_view line, size_t from, std::vector<std::pair<int, int>>& spans) const {
    OnigRegion* region = onig_region_new();
    const auto* s = reinterpret_cast<const OnigUChar*>(line.data());
    const int at =
        onig_search(regex, s, s + line.size(), s + from, s + line.size(), region, ONIG_OPTION_NONE);
    spans.clear();
    for (int i = 0; at >= 0 && i < region->num_regs; ++i) {
      spans.emplace_back(region->beg[i], region->end[i]);
    }
    onig_region_free(region, 1);
    return at >= 0;
  }

  OnigRegex regex = nullptr;
};

bool Matches(const std::string& pattern, std::string_view text) {
  std::vector<std::pair<int, int>> spans;
  return Regex(pattern).Search(text, 0, spans);
}

// A match rule, a begin/end block, or a group (a list of patterns, $self among them).
struct Grammar::Rule {
  std::string name;
  std::unique_ptr<Regex> match, begin, end;
  std::map<int, std::string> captures, begin_captures, end_captures;
  std::vector<const Rule*> patterns;
  const std::vector<const Rule*>* group = nullptr;  // for a group: its members
};

namespace {

std::map<int, std::string> ReadCaptures(const nlohmann::json& rule, const char* key) {
  std::map<int, std::string> captures;
  if (!rule.contains(key)) return captures;
  for (const auto& [index, capture] : rule[key].items()) {
    captures[std::stoi(index)] = capture.at("name").get<std::string>();
  }
  return captures;
}

}  // namespace

Grammar::Grammar(const nlohmann::json& grammar) : repository_(grammar.at("repository")) {
  top_ = CompileList(grammar.at("patterns"));
}

Grammar::~Grammar() = default;

std::vector<const Grammar::Rule*> Grammar::CompileList(const nlohmann::json& patterns) {
  std::vector<const Rule*> list;
  for (const auto& pattern : patterns) list.push_back(Compile(pattern));
  return list;
}

const Grammar::Rule* Grammar::Compile(const nlohmann::json& json) {
  auto rule = std::make_unique<Rule>();
  Rule* r = rule.get();
  rules_.push_back(std::move(rule));
  if (json.contains("include")) {
    const std::string target = json["include"];
    if (target == "$self") {
      r->group = &top_;
    } else if (target.starts_with("#") && repository_.contains(target.substr(1))) {
      r->patterns.push_back(Compile(repository_[target.substr(1)]));
      r->group = &r->patterns;
    } else {
      throw std::runtime_error("cannot include " + target);
    }
    return r;
  }
  r->name = json.value("name", "");
  if (json.contains("match")) {
    r->match = std::make_unique<Regex>(json["match"].get<std::string>());
    r->captures = ReadCaptures(json, "captures");
  } else if (json.contains("begin")) {
    r->begin = std::make_unique<Regex>(json["begin"].get<std::string>());
    r->end = std::make_unique<Regex>(json.at("end").get<std::string>());
    r->begin_captures = ReadCaptures(json, "beginCaptures");
    r->end_captures = ReadCaptures(json, "endCaptures");
    if (json.contains("patterns")) r->patterns = CompileList(json["patterns"]);
  } else if (json.contains("patterns")) {
    r->patterns = CompileList(json["patterns"]);
    r->group = &r->patterns;
  } else {
    throw std::runtime_error("a rule with no match, begin or patterns: " + json.dump());
  }
  return r;
}

namespace {

void Paint(std::vector<Scopes>& out, size_t line_start, std::pair<int, int> span,
           const Scopes& scopes) {
  for (int i = span.first; i < span.second; ++i) out[line_start + i] = scopes;
}

Scopes With(Scopes scopes, const std::string& name) {
  if (!name.empty()) scopes.push_back(name);
  return scopes;
}

}  // namespace

// The rules tried inside the innermost open block (or at the top), groups opened, in order.
std::vector<const Grammar::Rule*> Grammar::Candidates(const std::vector<const Rule*>& open) const {
  const std::vector<const Rule*>& list = open.empty() ? top_ : open.back()->patterns;
  std::vector<const Rule*> pending(list.rbegin(), list.rend());
  std::vector<const Rule*> tried;
  for (int guard = 0; !pending.empty(); ++guard) {
    if (guard > 10000) throw std::runtime_error("the grammar's includes loop");
    const Rule* r = pending.back();
    pending.pop_back();
    if (r->group == nullptr) {
      tried.push_back(r);
    } else {
      pending.insert(pending.end(), r->group->rbegin(), r->group->rend());
    }
  }
  return tried;
}

void Grammar::MatchLine(std::string_view line, size_t line_start, std::vector<const Rule*>& open,
                        std::vector<Scopes>& out) const {
  size_t pos = 0;
  while (pos < line.size()) {
    Scopes base;
    for (const Rule* block : open) base = With(base, block->name);
    // A block's end wins a tie with its patterns; among patterns, the earlier one.
    const Rule* best = nullptr;
    bool is_end = false;
    std::vector<std::pair<int, int>> best_spans, spans;
    if (!open.empty() && open.back()->end->Search(line, pos, best_spans)) {
      best = open.back();
      is_end = true;
    }
    for (const Rule* r : Candidates(open)) {
      const Regex& regex = r->match ? *r->match : *r->begin;
      if (!regex.Search(line, pos, spans)) continue;
      if (best == nullptr || spans[0].first < best_spans[0].first) {
        best = r;
        is_end = false;
        best_spans = spans;
      }
    }
    // What no pattern matches belongs to the blocks around it.
    const int gap_end = best == nullptr ? static_cast<int>(line.size()) : best_spans[0].first;
    Paint(out, line_start, {static_cast<int>(pos), gap_end}, base);
    if (best == nullptr) return;
    const std::pair<int, int> whole = best_spans[0];
    if (whole.second == whole.first) {
      throw std::runtime_error("a pattern matched nothing at column " +
                               std::to_string(whole.first + 1) + ", which would loop");
    }
    const std::map<int, std::string>* captures = &best->captures;
    Scopes scopes = With(base, best->name);
    if (is_end) {
      captures = &best->end_captures;
      scopes = base;
      open.pop_back();
    } else if (best->begin) {
      captures = &best->begin_captures;
      open.push_back(best);
    }
    Paint(out, line_start, whole, scopes);
    for (const auto& [index, name] : *captures) {
      if (index < static_cast<int>(best_spans.size()) && best_spans[index].first >= 0) {
        Paint(out, line_start, best_spans[index], With(scopes, name));
      }
    }
    pos = static_cast<size_t>(whole.second);
  }
}

std::vector<Scopes> Grammar::ScopesOfBytes(std::string_view text) const {
  std::vector<Scopes> out(text.size());
  std::vector<const Rule*> open;
  size_t start = 0;
  while (start < text.size()) {
    const size_t feed = text.find('\n', start);
    const size_t end = feed == std::string_view::npos ? text.size() : feed + 1;
    MatchLine(text.substr(start, end - start), start, open, out);
    start = end;
  }
  return out;
}

}  // namespace brindle::textmate
