#include "manual.h"

namespace brindle::manual {
namespace {

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The cells of "| a | b |"; a pipe inside a code span (`a | b`) stays in its cell.
std::vector<std::string> Cells(std::string_view line) {
  std::vector<std::string> cells;
  std::string cell;
  bool in_code = false;
  for (size_t i = 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '`') in_code = !in_code;
    if (c == '|' && !in_code) {
      cells.push_back(Trimmed(cell));
      cell.clear();
    } else {
      cell += c;
    }
  }
  return cells;
}

}  // namespace

Table MarkdownTable(std::string_view markdown, std::string_view heading) {
  Table rows;
  size_t at = 0;
  bool found = false;
  while (at < markdown.size()) {
    const size_t end = std::min(markdown.find('\n', at), markdown.size());
    const std::string_view line = markdown.substr(at, end - at);
    at = end + 1;
    if (!found) {
      found = line == heading;
      continue;
    }
    if (line.empty() || line[0] != '|') {
      if (!rows.empty() || line.starts_with("#")) break;
      continue;
    }
    if (line.starts_with("|---")) continue;
    rows.push_back(Cells(line));
  }
  if (!rows.empty()) rows.erase(rows.begin());  // the header
  return rows;
}

}  // namespace brindle::manual
