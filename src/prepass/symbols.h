// Symbol tables: what each name of the script denotes, decided once before the run. At run time
// names are never searched: every token carries its binding by position.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "frontend/token_table.h"
#include "frontend/zero_table.h"

namespace brindle {

constexpr int kMaxVariables = 1024;
constexpr int kMaxArrays = 1024;

struct Symbols {
  // Variables 1..var_count, numbered in declaration order; entry 0 is "no variable". The
  // names (entries 0..var_count) are kept for inspection only: no run reads them.
  std::vector<std::string> var_name = std::vector<std::string>(1);  // lower case
  ZeroTable<int> var_type = ZeroTable<int>(kMaxVariables + 1);      // KW_VAR, KW_STR, KW_PTR
  int var_count = 0;

  // Arrays 1..array_count share one numbering across the three types.
  std::vector<std::string> array_name = std::vector<std::string>(1);
  ZeroTable<int> array_type = ZeroTable<int>(kMaxArrays + 1);
  int array_count = 0;

  // Per token position, 0 where the token is bound to nothing. Every position of the token
  // table has a cell (and the cursor's padding past it reads 0).
  ZeroTable<int> var_slot_of_token = ZeroTable<int>(kCursorLimit + 2);
  ZeroTable<int> array_slot_of_token = ZeroTable<int>(kCursorLimit + 2);
  ZeroTable<int> func_of_token = ZeroTable<int>(kCursorLimit + 2);
  ZeroTable<int> goto_target = ZeroTable<int>(kCursorLimit + 2);

  // Indexed by the position of the name token in its FUNC or LABEL line, 0 .. count + 1 once
  // the pre-check has registered the labels and functions; "" where none is named.
  std::vector<std::string> func_name;   // lower case
  std::vector<std::string> label_name;  // as written

  // Name lookups, each to the lowest number or position with that (lower-cased) name.
  std::unordered_map<std::string, int> first_var;
  std::unordered_map<std::string, int> first_array;
  std::unordered_map<std::string, int> first_func;
  std::unordered_map<std::string, int> first_label;
};

}  // namespace brindle
