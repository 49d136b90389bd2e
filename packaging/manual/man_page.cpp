#include <string>

#include "host/option_table.h"
#include "manual.h"
#include "roff.h"

namespace brindle::manual {
namespace {

// The usage's help is laid out for its column; the page fills its own lines.
std::string OneLine(std::string_view help) {
  std::string text(help);
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  return text;
}

std::string OptionItem(const OptionInfo& option) {
  std::string head = "\\fB" + Roff(option.name) + "\\fR";
  if (!option.alias.empty()) head += ", \\fB" + Roff(option.alias) + "\\fR";
  if (!option.argument.empty()) head += " \\fI" + Roff(option.argument) + "\\fR";
  std::string help = OneLine(option.help);
  // The usage keeps this one in brackets after the synopsis line that names the keyword.
  if (help.starts_with("(") && help.ends_with(")")) help = help.substr(1, help.size() - 2);
  return ".TP\n" + head + "\n" + Roff(help) + "\n";
}

std::string Group(OptionGroup group, std::string_view title) {
  std::string out = ".SS \"" + std::string(title) + "\"\n";
  for (const OptionInfo& option : Options()) {
    if (option.group == group) out += OptionItem(option);
  }
  return out;
}

std::string Synopsis() {
  std::string out = ".SH SYNOPSIS\n.nf\n\\fBbrindle\\fR \\fI" + Roff(kWindowRunSynopsis) + "\\fR\n";
  for (const OptionInfo& option : Options()) {
    if (option.group != OptionGroup::kTool || option.synopsis.empty()) continue;
    out += "\\fBbrindle\\fR " + Roff(option.synopsis) + "\n";
  }
  return out + ".fi\n";
}

std::string TableItems(const Table& rows) {
  std::string out;
  for (const std::vector<std::string>& row : rows) {
    if (row.size() < 2) continue;
    out += ".TP\n" + RoffFromMarkdown(row[0]) + "\n" + RoffFromMarkdown(row[1]) + "\n";
  }
  return out;
}

constexpr std::string_view kDescription[] = {
    "Brindle runs scripts in a small BASIC-like language made for drawing, animating and "
    "playing: a line of code puts a circle on the screen, a WINMSG block answers the keys, the "
    "mouse or a timer, and input boxes take what the user types.",
    "With no tool option the script runs in a window whose inside is the canvas, 784 by 561 "
    "pixels. --headless runs it with no window: every message box and every PRINT is written "
    "to standard output, time is virtual, and a timeline of user events (--events) stands in "
    "for the user, so that each run of the same script and timeline is the same. --check and "
    "--lint read the script without running it; --lsp and --dap serve editors.",
    "Options may stand before or after the script, and exactly one script is allowed. Scripts "
    "see their text as Windows-1252 bytes; a file saved as UTF-8 is converted first "
    "(--encoding).",
};

// The variables the program reads (the display's are read by SDL2 as well).
constexpr std::string_view kEnvironment[][2] = {
    {"DISPLAY",
     "The X display the window opens on. With neither it nor WAYLAND_DISPLAY set, a run in a "
     "window fails with exit status 2; --headless needs no display."},
    {"WAYLAND_DISPLAY", "The Wayland display the window opens on."},
    {"NO_COLOR", "When set, --help KEYWORD writes plain text, also to a terminal."},
    {"TERM", "With TERM=dumb (or unset), --help KEYWORD writes plain text."},
};

constexpr std::string_view kSeeAlso[][2] = {
    {"tutorial.md", "from nothing to a small game, one step at a time"},
    {"language.md", "the language"},
    {"reference.md", "every keyword (also brindle --help KEYWORD)"},
    {"command-line.md", "the command line in full"},
    {"editors.md", "editing scripts: colours, errors as you type, hover help (brindle --lsp)"},
    {"debugging.md", "breakpoints and steps in editors (brindle --dap)"},
};

std::string Description() {
  std::string out = ".SH DESCRIPTION\n";
  for (std::string_view paragraph : kDescription) {
    if (out.size() > 16) out += ".PP\n";
    out += Roff(paragraph) + "\n";
  }
  return out;
}

std::string Environment() {
  std::string out = ".SH ENVIRONMENT\n";
  for (const auto& [name, text] : kEnvironment) {
    out += ".TP\n.B " + std::string(name) + "\n" + Roff(text) + "\n";
  }
  return out;
}

}  // namespace

std::string ManPage(std::string_view version, const ManualTables& tables,
                    std::string_view doc_folder, std::string_view examples_folder) {
  const std::string docs(doc_folder), examples(examples_folder);
  std::string page = ".\\\" Written by brindle_manual from the option table; do not edit.\n";
  page += ".TH BRINDLE 1 \"\" \"brindle " + Roff(version) + "\" \"User Commands\"\n";
  page +=
      ".SH NAME\nbrindle \\- run scripts of a small BASIC-like language for drawing and games\n";
  page += Synopsis();
  page += Description();
  page += ".SH OPTIONS\n";
  page += Group(OptionGroup::kTool, "Tools");
  page += Group(OptionGroup::kCommon, "Options of every run");
  page += Group(OptionGroup::kHeadless, "Options of a headless run");
  page += Group(OptionGroup::kWindow, "Options of a run in a window");
  page += ".SH KEYS\nIn the window:\n";
  for (const WindowKey& key : WindowKeys()) {
    page += ".TP\n.B " + Roff(key.key) + "\n" + Roff(key.help) + "\n";
  }
  page += ".SH \"EVENTS FILE\"\n" +
          Roff(
              "The file of --events holds one event a line; blank lines and lines starting "
              "with # are skipped. --record writes such a file from a session in the "
              "window.\n") +
          TableItems(tables.event_lines);
  page += ".SH \"EXIT STATUS\"\n" + TableItems(tables.exit_statuses);
  page += Environment();
  page += ".SH FILES\n.TP\n.I " + Roff(examples) + "\n" +
          Roff(
              "The examples, each with its events file and pictures; brindle --examples "
              "lists them.\n") +
          ".TP\n.I " + Roff(docs) + "\n" +
          Roff(
              "The tutorial, the language guide, the keyword reference and the rest of the "
              "documentation, in Markdown.\n");
  page += ".SH EXAMPLES\n.nf\nbrindle " + Roff(examples) + "/meteors.bas\n" +
          Roff("brindle --headless --events game.events --screenshot game.png game.bas\n") +
          Roff("brindle --lint game.bas\nbrindle --help PRINT\n") + ".fi\n";
  page += ".SH \"SEE ALSO\"\n" + Roff("The documentation installed with Brindle, in Markdown:\n");
  for (const auto& [file, what] : kSeeAlso) {
    page += ".TP\n.I " + Roff(docs + "/docs/" + std::string(file)) + "\n" + Roff(what) + "\n";
  }
  return page;
}

}  // namespace brindle::manual
