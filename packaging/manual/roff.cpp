#include "roff.h"

#include <cctype>

namespace brindle::manual {
namespace {

bool IsWordByte(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string Roff(std::string_view text) {
  std::string out;
  bool in_option = false;  // within a word that starts with '-'
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool at_line_start = i == 0 || text[i - 1] == '\n';
    if (at_line_start && (c == '.' || c == '\'')) out += "\\&";
    if (c == '-' && (i == 0 || !IsWordByte(text[i - 1]))) in_option = true;
    if (c != '-' && !IsWordByte(c)) in_option = false;
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-' && in_option) {
      out += "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

std::string RoffFromMarkdown(std::string_view markdown) {
  std::string out, run;
  auto flush = [&] {
    out += Roff(run);
    run.clear();
  };
  for (size_t i = 0; i < markdown.size(); ++i) {
    const char c = markdown[i];
    if (c == '`') {
      const size_t end = markdown.find('`', i + 1);
      if (end == std::string_view::npos) {
        run += c;
        continue;
      }
      flush();
      out += "\\fB" + Roff(markdown.substr(i + 1, end - i - 1)) + "\\fR";
      i = end;
    } else if (markdown.substr(i, 2) == "**") {
      const size_t end = markdown.find("**", i + 2);
      if (end == std::string_view::npos) {
        run += c;
        continue;
      }
      flush();
      out += "\\fB" + Roff(markdown.substr(i + 2, end - i - 2)) + "\\fR";
      i = end + 1;
    } else if (c == '[') {
      const size_t close = markdown.find("](", i);
      const size_t end = close == std::string_view::npos ? close : markdown.find(')', close);
      if (end == std::string_view::npos) {
        run += c;
        continue;
      }
      run += markdown.substr(i + 1, close - i - 1);
      i = end;
    } else if (c == '\\' && i + 1 < markdown.size() && markdown[i + 1] == '|') {
      run += '|';
      ++i;
    } else {
      run += c;
    }
  }
  flush();
  return out;
}

}  // namespace brindle::manual
