#include "script_case.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace brindle::testing {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

Meta ReadMeta(const fs::path& path) {
  Meta meta;
  std::istringstream lines(ReadAll(path));
  std::string key;
  while (lines >> key) {
    if (key == "mode") {
      lines >> meta.mode;
    } else if (key == "exit") {
      lines >> meta.exit_status;
    } else if (key == "args") {
      std::string rest;
      std::getline(lines, rest);
      std::istringstream words(rest);
      for (std::string w; words >> w;) meta.args.push_back(w);
    }
  }
  return meta;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(BRINDLE_TEST_DIR) / "scripts")) {
    if (entry.path().extension() == ".bas") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace brindle::testing
