#include "files/local_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace brindle {
namespace {

constexpr char kRule[] = " (a timeline writes only in or below the current folder)";

// Whether inner is outer or a folder below it; both canonical.
bool IsWithin(const fs::path& inner, const fs::path& outer) {
  return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

}  // namespace

std::optional<std::string> LeavesCurrentFolder(const std::string& path) {
  const fs::path name(path);
  if (name.has_root_path()) return std::string("an absolute path") + kRule;
  for (const fs::path& part : name) {
    if (part == "..") return std::string("a \"..\" in the path") + kRule;
  }
  // The name's last part may not be a link (only a regular file is replaced), so its folder is
  // all that can lead elsewhere.
  std::error_code error;
  const fs::path here = fs::canonical(".", error);
  if (error) return "the current folder cannot be found: " + error.message();
  const fs::path folder = fs::canonical(name.has_parent_path() ? name.parent_path() : ".", error);
  if (error) return std::nullopt;
  if (!IsWithin(folder, here)) return "its folder leads out of the current folder";
  return std::nullopt;
}

}  // namespace brindle
