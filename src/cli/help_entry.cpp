#include "cli/help_entry.h"

#include <string>

#include "cli/terminal.h"
#include "lang/reference.h"

namespace brindle::cli {

int WriteHelpEntry(std::string_view name) {
  if (const std::optional<ReferenceEntry> entry = FindReference(name)) {
    return WriteOutput(std::string(entry->name) + "\n\n" + std::string(entry->body) + "\n");
  }
  std::string names;
  for (const ReferenceEntry& e : ReferenceEntries()) names += " " + std::string(e.name);
  return Fail("no reference entry for \"" + std::string(name) + "\"; the entries are:" + names);
}

}  // namespace brindle::cli
