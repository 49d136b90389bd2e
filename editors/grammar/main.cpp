// Writes the editor grammars to the files named on the command line (the build runs it): the
// TextMate grammar, then the Vim syntax file.
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "grammar.h"

namespace {

bool Write(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) std::cerr << "brindle_grammar: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: brindle_grammar OUTPUT.tmLanguage.json OUTPUT.vim\n";
    return 2;
  }
  try {
    if (!Write(argv[1], brindle::BuildGrammar().dump(2) + "\n")) return 1;
    if (!Write(argv[2], brindle::BuildVimSyntax())) return 1;
  } catch (const std::exception& e) {
    std::cerr << "brindle_grammar: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
