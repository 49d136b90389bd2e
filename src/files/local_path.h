// Files named by a file that may come from someone else (a timeline's screenshot lines): they
// are written only in or below the current folder, so that a timeline that was sent cannot
// replace any other file the user may write.
#pragma once

#include <optional>
#include <string>

namespace brindle {

// Why path leads out of the current folder: it is absolute, it has a ".." among its parts, or
// its folder leads out through a symbolic link. Nothing when it stays in. A folder that does
// not exist is no reason: the write then fails with its own.
std::optional<std::string> LeavesCurrentFolder(const std::string& path);

}  // namespace brindle
