// brindle --examples: where the examples that come with the program are, and their list.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace brindle::cli {

// The folders looked in, first first: beside the program (../share/brindle/examples, so that
// an installed tree may be moved, as a DESTDIR install is), the source tree's examples/ when
// the program is the one in its build folder, then the folder it was installed to.
std::vector<std::filesystem::path> ExampleFolders();

// The first of ExampleFolders() that exists.
std::optional<std::filesystem::path> FindExampleFolder();

// Prints the full path of each example script (*.bas), one a line, sorted by name.
int ListExamples();

}  // namespace brindle::cli
