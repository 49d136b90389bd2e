// The completions of bash, zsh and fish: the options, the values of those that take one (the
// choices, the reference's keywords after --help, files by kind), and the script (*.bas).
#include <string>

#include "host/option_table.h"
#include "lang/reference.h"
#include "manual.h"

namespace brindle::manual {
namespace {

// The suffix of the files an option's value names; empty when it names none.
std::string_view FileSuffix(OptionValue value) {
  switch (value) {
    case OptionValue::kEventsFile:
    case OptionValue::kEventsOut:
      return "events";
    case OptionValue::kPngFile:
      return "png";
    case OptionValue::kGifFile:
      return "gif";
    default:
      return "";
  }
}

bool TakesValue(const OptionInfo& option) {
  return option.value != OptionValue::kNone;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

std::string OneLine(std::string_view help) {
  std::string text(help);
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  if (text.starts_with("(") && text.ends_with(")")) text = text.substr(1, text.size() - 2);
  return text;
}

// In single quotes, for the shells: a quote ends the quoting, is escaped, and starts it again.
std::string Quoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string OptionWords() {
  std::vector<std::string> words;
  for (const OptionInfo& option : Options()) {
    words.emplace_back(option.name);
    if (!option.alias.empty()) words.emplace_back(option.alias);
  }
  return Joined(words);
}

std::string OptionPattern(const OptionInfo& option) {
  std::string pattern(option.name);
  if (!option.alias.empty()) pattern += "|" + std::string(option.alias);
  return pattern;
}

}  // namespace

std::vector<std::string> HelpKeywords() {
  std::vector<std::string> words;
  for (const ReferenceEntry& entry : ReferenceEntries()) words.emplace_back(entry.name);
  return words;
}

std::string BashCompletion() {
  std::string out =
      "# bash completion for brindle; written by brindle_manual from the option table.\n"
      "_brindle_files() {\n"
      "  local IFS=$'\\n'\n"
      "  compopt -o filenames 2>/dev/null\n"
      "  COMPREPLY=($(compgen -f -X \"!*.$1\" -- \"$cur\") $(compgen -d -- \"$cur\"))\n"
      "}\n"
      "_brindle() {\n"
      "  local cur=${COMP_WORDS[COMP_CWORD]} prev=\n"
      "  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
      "  case $prev in\n";
  for (const OptionInfo& option : Options()) {
    if (!TakesValue(option)) continue;
    out += "    " + OptionPattern(option) + ")\n      ";
    if (std::string_view suffix = FileSuffix(option.value); !suffix.empty()) {
      out += "_brindle_files " + std::string(suffix);
    } else if (option.value == OptionValue::kChoice) {
      out += "COMPREPLY=($(compgen -W " + Quoted(option.choices) + " -- \"$cur\"))";
    } else if (option.value == OptionValue::kKeyword) {
      out += "COMPREPLY=($(compgen -W " + Quoted(Joined(HelpKeywords())) + " -- \"$cur\"))";
    } else {
      out += "COMPREPLY=()";
    }
    out += "\n      return ;;\n";
  }
  out +=
      "  esac\n"
      "  if [[ $cur == -* ]]; then\n"
      "    COMPREPLY=($(compgen -W " +
      Quoted(OptionWords()) +
      " -- \"$cur\"))\n"
      "  else\n"
      "    _brindle_files bas\n"
      "  fi\n"
      "}\n"
      "complete -F _brindle brindle\n";
  return out;
}

std::string ZshCompletion() {
  // _arguments specs: "--name[help]:message:action"; brackets and colons in the help are
  // escaped.
  auto escaped = [](std::string_view help) {
    std::string out;
    for (char c : OneLine(help)) {
      if (c == '[' || c == ']' || c == ':' || c == '\\') out += '\\';
      out += c;
    }
    return out;
  };
  std::string out =
      "#compdef brindle\n"
      "# zsh completion for brindle; written by brindle_manual from the option table.\n"
      "_arguments -s \\\n";
  for (const OptionInfo& option : Options()) {
    std::string action;
    if (std::string_view suffix = FileSuffix(option.value); !suffix.empty()) {
      action = ":file:_files -g \"*." + std::string(suffix) + "(-.)\"";
    } else if (option.value == OptionValue::kChoice) {
      action = ":value:(" + std::string(option.choices) + ")";
    } else if (option.value == OptionValue::kKeyword) {
      action = "::keyword:(" + Joined(HelpKeywords()) + ")";
    } else if (option.value == OptionValue::kNumber) {
      action = ":" + std::string(option.argument) + ": ";
    }
    const std::string described = "[" + escaped(option.help) + "]" + action;
    if (option.alias.empty()) {
      out += "  " + Quoted(std::string(option.name) + described) + " \\\n";
    } else {
      out += "  " + Quoted("(" + std::string(option.alias) + " " + std::string(option.name) + ")") +
             "{" + std::string(option.alias) + "," + std::string(option.name) + "}" +
             Quoted(described) + " \\\n";
    }
  }
  out += "  '*:script:_files -g \"*.bas(-.)\"'\n";
  return out;
}

std::string FishCompletion() {
  std::string out =
      "# fish completion for brindle; written by brindle_manual from the option table.\n"
      "# The files of one kind (SUFFIX) and the folders, beside the word being completed.\n"
      "function __brindle_files -a suffix\n"
      "    for f in (commandline -ct)*\n"
      "        if test -d $f\n"
      "            echo $f/\n"
      "        else if string match -q -- \"*.$suffix\" $f\n"
      "            echo $f\n"
      "        end\n"
      "    end\n"
      "end\n"
      "complete -c brindle -f\n"
      "complete -c brindle -n 'not string match -q -- \"-*\" (commandline -ct)' "
      "-a '(__brindle_files bas)'\n";
  for (const OptionInfo& option : Options()) {
    std::string line = "complete -c brindle";
    const std::string_view name = option.name.substr(2);
    line += " -l " + std::string(name);
    if (!option.alias.empty()) line += " -s " + std::string(option.alias.substr(1));
    if (std::string_view suffix = FileSuffix(option.value); !suffix.empty()) {
      line += " -x -a " + Quoted("(__brindle_files " + std::string(suffix) + ")");
    } else if (option.value == OptionValue::kChoice) {
      line += " -x -a " + Quoted(option.choices);
    } else if (option.value == OptionValue::kKeyword) {
      line += " -x -a " + Quoted(Joined(HelpKeywords()));
    } else if (option.value == OptionValue::kNumber) {
      line += " -x";
    }
    out += line + " -d " + Quoted(OneLine(option.help)) + "\n";
  }
  return out;
}

}  // namespace brindle::manual
