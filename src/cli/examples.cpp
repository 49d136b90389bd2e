#include "cli/examples.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "cli/terminal.h"

namespace fs = std::filesystem;

namespace brindle::cli {

std::vector<fs::path> ExampleFolders() {
  std::vector<fs::path> folders;
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path bin = program.parent_path();
    folders.push_back(bin.parent_path() / "share" / "brindle" / "examples");
    if (fs::equivalent(bin, BRINDLE_BUILD_DIR, error)) folders.push_back(BRINDLE_SOURCE_EXAMPLES);
  }
  folders.push_back(BRINDLE_INSTALLED_EXAMPLES);
  return folders;
}

std::optional<fs::path> FindExampleFolder() {
  for (const fs::path& folder : ExampleFolders()) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return folder;
  }
  return std::nullopt;
}

int ListExamples() {
  const std::optional<fs::path> folder = FindExampleFolder();
  if (!folder) {
    std::string looked;
    for (const fs::path& f : ExampleFolders()) looked += (looked.empty() ? " " : ", ") + f.string();
    return Fail("no examples found; looked in" + looked);
  }
  std::vector<std::string> scripts;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(*folder, error)) {
    if (entry.path().extension() == ".bas") scripts.push_back(entry.path().string());
  }
  if (error) return Fail("cannot list " + folder->string() + ": " + error.message());
  std::sort(scripts.begin(), scripts.end());
  std::string out;
  for (const std::string& script : scripts) out += script + "\n";
  return WriteOutput(out);
}

}  // namespace brindle::cli
