#include "cli/help_entry.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "cli/terminal.h"
#include "lang/reference.h"
#include "lang/reference_terminal.h"

namespace brindle::cli {
namespace {

// Bold only for a person at a terminal that shows it: a pipe or a file gets plain text.
bool StandardOutputShowsBold() {
  const char* term = std::getenv("TERM");
  return isatty(STDOUT_FILENO) && std::getenv("NO_COLOR") == nullptr && term != nullptr &&
         std::string_view(term) != "dumb";
}

}  // namespace

int WriteHelpEntry(std::string_view name) {
  if (const std::optional<ReferenceEntry> entry = FindReference(name)) {
    return WriteOutput(std::string(entry->name) + "\n\n" +
                       ReferenceAsTerminalText(entry->body, StandardOutputShowsBold()));
  }
  std::string names;
  for (const ReferenceEntry& e : ReferenceEntries()) names += " " + std::string(e.name);
  return Fail("no reference entry for \"" + std::string(name) + "\"; the entries are:" + names);
}

}  // namespace brindle::cli
