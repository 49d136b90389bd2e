// Writes the editor grammar to the file named on the command line (the build runs it).
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "grammar.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: brindle_grammar OUTPUT.json\n";
    return 2;
  }
  try {
    const std::string text = brindle::BuildGrammar().dump(2) + "\n";
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      std::cerr << "brindle_grammar: cannot write " << argv[1] << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "brindle_grammar: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
