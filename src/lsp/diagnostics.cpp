#include <algorithm>

#include "lsp/features.h"

namespace brindle::lsp {
namespace {

constexpr int kSeverityError = 1;
constexpr int kSeverityWarning = 2;

// A finding's range: its token, or the byte of a tokenizer fault.
Json FindingRange(const Analysis& a, const Finding& f) {
  const size_t start = f.offset.value_or(0);
  size_t end = std::min(start + 1, a.text.size());
  if (f.warning.token > 0) {
    end = a.TokenEnd(f.warning.token);
  } else if (f.fault.token > 0 && a.tokenized) {
    end = a.TokenEnd(f.fault.token);
  }
  if (!f.offset || a.text[start] == '\n') end = start;
  return RangeJson(a, start, end);
}

}  // namespace

Json RangeJson(const Analysis& a, size_t start, size_t end) {
  const Position from = PositionOf(a.lines, start);
  const Position to = PositionOf(a.lines, end);
  return {{"start", {{"line", from.line}, {"character", from.character}}},
          {"end", {{"line", to.line}, {"character", to.character}}}};
}

Json Diagnostics(const Analysis& a) {
  Json list = Json::array();
  for (const Finding& f : a.findings) {
    Json d = {{"range", FindingRange(a, f)},
              {"severity", f.error ? kSeverityError : kSeverityWarning},
              {"source", "brindle"}};
    if (f.error) {
      d["message"] = Utf8Text(f.fault.caption + ": " + f.fault.text);
    } else {
      d["message"] = Utf8Text(f.warning.text);
      d["code"] = f.warning.id;
    }
    list.push_back(std::move(d));
  }
  return list;
}

}  // namespace brindle::lsp
