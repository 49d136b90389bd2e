// The manual page and the shell completions, made from the option table (host/option_table.h)
// so that they list exactly the options the parser reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brindle::manual {

// The rows of the first Markdown table after the heading line `heading` ("## Exit status"),
// each row's cells trimmed, the header and its rule left out. Empty when there is none.
using Table = std::vector<std::vector<std::string>>;
Table MarkdownTable(std::string_view markdown, std::string_view heading);

// What the page takes from docs/command-line.md, so that the two say the same.
struct ManualTables {
  Table exit_statuses;  // status, meaning
  Table event_lines;    // line, what happens
};

// brindle(1), in roff (man(7)). doc_folder: where the installed docs are.
std::string ManPage(std::string_view version, const ManualTables& tables,
                    std::string_view doc_folder, std::string_view examples_folder);

std::string BashCompletion();
std::string ZshCompletion();
std::string FishCompletion();

// The words offered after --help: the reference's entries.
std::vector<std::string> HelpKeywords();

}  // namespace brindle::manual
