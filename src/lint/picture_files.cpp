// W27: a picture file named by a literal that is neither in the current folder nor beside the
// script. LOADIMG then gives the handle 0 and nothing is drawn, without a word.
#include <filesystem>

#include "lang/keywords.h"
#include "lint/lint.h"

namespace brindle {

std::vector<Warning> MissingPictures(const TokenTable& tokens, std::string_view script_path) {
  namespace fs = std::filesystem;
  std::vector<Warning> out;
  const fs::path folder = fs::path(script_path).parent_path();
  for (int p = 1; p <= tokens.count; ++p) {
    if (tokens.kind[p] != KW_LOADIMG || tokens.kind[p + 3] != TK_STRING) continue;
    const std::string& name = tokens.text[p + 3];
    std::error_code ignored;
    if (name.empty() || fs::exists(name, ignored) || fs::exists(folder / name, ignored)) continue;
    out.push_back({p + 3, "W27",
                   "there is no picture file " + name +
                       " in the current folder or beside the script: LOADIMG gives the handle "
                       "0 and nothing is drawn; check the name and where the file is"});
  }
  return out;
}

}  // namespace brindle
