// The usage text, laid out from the option table: the synopsis (one line per tool), then each
// group's options with their help in a column.
#include <string>

#include "host/command_line.h"
#include "host/option_table.h"

namespace brindle {
namespace {

constexpr size_t kSynopsisWidth = 39;  // "brindle --headless [options] SCRIPT" and its gap
constexpr size_t kOptionWidth = 22;    // the longest option that keeps its help on its line
const std::string kHelpIndent(26, ' ');

std::string Padded(std::string text, size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

// The help's lines, each after the first indented to the help column.
std::string HelpLines(std::string_view help) {
  std::string out;
  for (char c : help) {
    out += c;
    if (c == '\n') out += kHelpIndent;
  }
  return out + "\n";
}

std::string OptionLine(std::string_view left, std::string_view help) {
  std::string line = "  " + std::string(left);
  if (left.size() > kOptionWidth) return line + "\n" + kHelpIndent + HelpLines(help);
  return Padded(line, kHelpIndent.size()) + HelpLines(help);
}

std::string GroupLines(OptionGroup group) {
  std::string out;
  for (const OptionInfo& option : Options()) {
    if (option.group != group) continue;
    std::string left(option.name);
    if (!option.argument.empty()) left += " " + std::string(option.argument);
    out += OptionLine(left, option.help);
  }
  return out;
}

std::string MakeUsage() {
  std::string out =
      "usage: " + Padded("brindle " + std::string(kWindowRunSynopsis), kSynopsisWidth) +
      std::string(kWindowRunHelp) + "\n";
  for (const OptionInfo& option : Options()) {
    if (option.group != OptionGroup::kTool || option.synopsis.empty()) continue;
    out += "       " + Padded("brindle " + std::string(option.synopsis), kSynopsisWidth) +
           std::string(option.help) + "\n";
  }
  out += "options:\n" + GroupLines(OptionGroup::kCommon);
  out += "headless options:\n" + GroupLines(OptionGroup::kHeadless);
  out += "window options:\n" + GroupLines(OptionGroup::kWindow);
  for (const WindowKey& key : WindowKeys()) {
    out += OptionLine(std::string(key.key) + " in the window", key.help);
  }
  return out;
}

}  // namespace

std::string_view Usage() {
  static const std::string usage = MakeUsage();
  return usage;
}

}  // namespace brindle
