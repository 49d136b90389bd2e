#include "expr/expr_cache.h"

#include <algorithm>

namespace brindle {

std::vector<KeptProgram> KeptPrograms(const ExprCache& cache) {
  std::vector<KeptProgram> found;
  for (int r = 0; r < kRuleCount; ++r) {
    const Rule rule = static_cast<Rule>(r);
    const auto& table = cache.by_position[r];
    for (size_t p = 0; p < table.size(); ++p) {
      if (table[p] != nullptr)
        found.push_back({static_cast<int>(p), static_cast<int>(p), rule, table[p]});
    }
    const auto& stale = cache.stale_by_position[r];
    for (size_t p = 0; p < stale.size(); ++p) {
      if (stale[p].program != nullptr) {
        found.push_back({static_cast<int>(p), stale[p].cur, rule, stale[p].program});
      }
    }
  }
  for (const auto& [key, program] : cache.others) {
    const auto& [rule, cur, position] = key;
    if (program != nullptr) found.push_back({position, cur, rule, program});
  }
  std::sort(found.begin(), found.end(), [](const KeptProgram& a, const KeptProgram& b) {
    return std::tie(a.position, a.rule, a.cur) < std::tie(b.position, b.rule, b.cur);
  });
  return found;
}

}  // namespace brindle
