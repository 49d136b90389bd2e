// brindle_manual VERSION COMMAND_LINE_MD DOC_FOLDER EXAMPLES_FOLDER OUT_FOLDER: writes
// brindle.1, the bash, zsh and fish completions (brindle, _brindle, brindle.fish) into
// OUT_FOLDER.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "manual.h"

namespace fs = std::filesystem;

namespace {

bool Write(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr,
                 "usage: brindle_manual VERSION COMMAND_LINE_MD DOC_FOLDER EXAMPLES_FOLDER OUT\n");
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  std::stringstream doc;
  doc << in.rdbuf();
  using brindle::manual::MarkdownTable;
  const brindle::manual::ManualTables tables{MarkdownTable(doc.str(), "## Exit status"),
                                             MarkdownTable(doc.str(), "### The events timeline")};
  if (!in || tables.exit_statuses.empty() || tables.event_lines.empty()) {
    std::fprintf(stderr, "brindle_manual: %s holds no exit statuses or no events lines\n", argv[2]);
    return 1;
  }
  const fs::path out = argv[5];
  fs::create_directories(out);
  const bool written =
      Write(out / "brindle.1", brindle::manual::ManPage(argv[1], tables, argv[3], argv[4])) &&
      Write(out / "brindle", brindle::manual::BashCompletion()) &&
      Write(out / "_brindle", brindle::manual::ZshCompletion()) &&
      Write(out / "brindle.fish", brindle::manual::FishCompletion());
  if (!written) std::fprintf(stderr, "brindle_manual: cannot write into %s\n", argv[5]);
  return written ? 0 : 1;
}
