#include "files/file_identity.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <system_error>

namespace brindle {
namespace {

// Absolute first: a relative path that leads through no existing folder would stay relative.
std::optional<std::filesystem::path> ResolvedPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return std::nullopt;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
  if (error) return std::nullopt;
  return resolved;
}

}  // namespace

bool NameTheSameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  const bool a_exists = stat(a.c_str(), &sa) == 0;
  const bool b_exists = stat(b.c_str(), &sb) == 0;
  if (a_exists && b_exists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  if (a_exists || b_exists) return false;
  const std::optional<std::filesystem::path> a_path = ResolvedPath(a);
  return a_path && a_path == ResolvedPath(b);
}

}  // namespace brindle
