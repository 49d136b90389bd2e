// Writing a whole file so that it appears complete or not at all, without ever following or
// destroying anything but the named file.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace brindle {

// Why a file cannot be replaced: an empty name, or a name that exists and is not a regular
// file (a device, FIFO, folder or symbolic link). Nothing when it may be written.
std::optional<std::string> ReplaceProblem(const std::string& path);

// Writes the bytes to a new file in path's folder, created exclusively under a fresh name,
// and renames it over path. On failure path is untouched, no temporary file is left, and
// reason says why.
bool ReplaceFile(const std::string& path, std::span<const unsigned char> bytes,
                 std::string& reason);

// For a file written as the program goes: path must be missing or a regular file, as for
// ReplaceFile. Creates an empty file in path's folder under a fresh name and renames it over
// path, so that the old file (and any hard link to it) is replaced, not written through.
// Returns the new file's descriptor, or -1 with the reason.
int CreateReplacing(const std::string& path, std::string& reason);

}  // namespace brindle
