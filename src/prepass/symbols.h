// Symbol tables: what each name of the script denotes, decided once before the run. At run time
// names are never searched: every token carries its binding by position.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "frontend/token_table.h"

namespace brindle {

constexpr int kMaxVariables = 1024;
constexpr int kMaxArrays = 1024;

struct Symbols {
  // Variables 1..var_count, numbered in declaration order; entry 0 is "no variable".
  std::vector<std::string> var_name = std::vector<std::string>(kMaxVariables + 1);  // lower case
  std::vector<int> var_type = std::vector<int>(kMaxVariables + 1, 0);  // KW_VAR, KW_STR, KW_PTR
  int var_count = 0;

  // Arrays 1..array_count share one numbering across the three types.
  std::vector<std::string> array_name = std::vector<std::string>(kMaxArrays + 1);
  std::vector<int> array_type = std::vector<int>(kMaxArrays + 1, 0);
  int array_count = 0;

  // Per token position, 0 where the token is bound to nothing. Every position of the token
  // table has a cell (and the cursor's padding past it reads 0).
  std::vector<int> var_slot_of_token = std::vector<int>(kCursorLimit + 2, 0);
  std::vector<int> array_slot_of_token = std::vector<int>(kCursorLimit + 2, 0);
  std::vector<int> func_of_token = std::vector<int>(kCursorLimit + 2, 0);
  std::vector<int> goto_target = std::vector<int>(kCursorLimit + 2, 0);

  // Indexed by the position of the name token in its FUNC or LABEL line.
  std::vector<std::string> func_name = std::vector<std::string>(kTokenCapacity + 1);   // lower
  std::vector<std::string> label_name = std::vector<std::string>(kTokenCapacity + 1);  // as written

  // Name lookups, each to the lowest number or position with that (lower-cased) name.
  std::unordered_map<std::string, int> first_var;
  std::unordered_map<std::string, int> first_array;
  std::unordered_map<std::string, int> first_func;
  std::unordered_map<std::string, int> first_label;
};

}  // namespace brindle
