#include "frontend/tokenizer.h"

#include <array>

#include "lang/text.h"

namespace brindle {
namespace {

// The kind of each byte that stands alone as a token; TK_NONE for all others.
constexpr std::array<int, 256> MakeSingleCharKinds() {
  std::array<int, 256> kinds{};
  const char* chars = "+-*/:,()[]=><&|!#$%;.{}?@\\^`~";
  const int codes[] = {TK_PLUS,    TK_MINUS,     TK_STAR,     TK_SLASH,    TK_COLON,  TK_COMMA,
                       TK_LPAREN,  TK_RPAREN,    TK_LBRACKET, TK_RBRACKET, TK_EQUAL,  TK_GREATER,
                       TK_LESS,    TK_AMP,       TK_BAR,      TK_BANG,     TK_HASH,   TK_DOLLAR,
                       TK_PERCENT, TK_SEMICOLON, TK_DOT,      TK_LBRACE,   TK_RBRACE, TK_QUESTION,
                       TK_AT,      TK_BACKSLASH, TK_CARET,    TK_BACKTICK, TK_TILDE};
  for (int i = 0; chars[i] != '\0'; ++i) kinds[static_cast<unsigned char>(chars[i])] = codes[i];
  return kinds;
}
constexpr std::array<int, 256> kSingleCharKinds = MakeSingleCharKinds();

bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r';
}
bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNamePart(unsigned char c) {
  return IsNameStart(c) || IsDigit(c);
}
bool IsNumberPart(unsigned char c) {
  return IsDigit(c) || c == '.';
}

class Scanner {
 public:
  Scanner(std::string_view source, TokenTable& table) : src_(source), table_(table) {}

  TokenizeResult Run() {
    table_.line_count = 0;
    while (pos_ < src_.size() && result_.error == TokenizerError::kNone) Step();
    if (result_.error == TokenizerError::kNone) result_.token_count = written_;
    return result_;
  }

 private:
  void Step() {
    const unsigned char c = src_[pos_];
    if (IsBlank(c)) {
      ++pos_;
    } else if (c == '\'') {
      while (pos_ < src_.size() && src_[pos_] != '\n') ++pos_;
      EndLine();
    } else if (c == '\n') {
      if (CheckBrackets()) EndLine();
    } else if (c == '"') {
      ScanString();
    } else if (IsNameStart(c)) {
      Append(TK_IDENT, TakeWhile(IsNamePart));
    } else if (IsDigit(c)) {
      Append(TK_NUMBER, TakeWhile(IsNumberPart));
    } else if (kSingleCharKinds[c] != TK_NONE) {
      CountBracket(c);
      Append(kSingleCharKinds[c], src_.substr(pos_++, 1));
    } else {
      Fail(TokenizerError::kUnknownCharacter, msg::UnknownToken(static_cast<char>(c), Line()),
           pos_);
    }
  }

  std::string_view TakeWhile(bool (*part)(unsigned char)) {
    const size_t start = pos_;
    while (pos_ < src_.size() && part(static_cast<unsigned char>(src_[pos_]))) ++pos_;
    return src_.substr(start, pos_ - start);
  }

  void ScanString() {
    const size_t quote = pos_;
    const size_t start = ++pos_;
    while (pos_ < src_.size() && src_[pos_] != '"' && src_[pos_] != '\n') ++pos_;
    if (pos_ >= src_.size() || src_[pos_] == '\n') {
      Fail(TokenizerError::kUnclosedQuote, msg::UnclosedQuote(Line()), quote);
      return;
    }
    Append(TK_STRING, src_.substr(start, pos_ - start), quote);
    ++pos_;  // the closing quote
  }

  // A comment or a line feed ends the line; the line feed itself, if any, is passed.
  void EndLine() {
    ++table_.line_count;
    Append(TK_EOL, "EOL", pos_);
    ++pos_;
  }

  // The counts run from the start of the source, so only their totals are compared.
  bool CheckBrackets() {
    if (open_round_ > close_round_) {
      Fail(TokenizerError::kMissingRightParen, msg::MissingRightParen(Line()), pos_);
    } else if (open_round_ < close_round_) {
      Fail(TokenizerError::kMissingLeftParen, msg::MissingLeftParen(Line()), pos_);
    } else if (open_square_ > close_square_) {
      Fail(TokenizerError::kMissingRightBracket, msg::MissingRightBracket(Line()), pos_);
    } else if (open_square_ < close_square_) {
      Fail(TokenizerError::kMissingLeftBracket, msg::MissingLeftBracket(Line()), pos_);
    }
    return result_.error == TokenizerError::kNone;
  }

  void CountBracket(unsigned char c) {
    if (c == '(') ++open_round_;
    if (c == ')') ++close_round_;
    if (c == '[') ++open_square_;
    if (c == ']') ++close_square_;
  }

  // A token whose text lies in the source starts where its text does.
  void Append(int kind, std::string_view text) {
    Append(kind, text, static_cast<size_t>(text.data() - src_.data()));
  }
  void Append(int kind, std::string_view text, size_t offset) {
    if (result_.error != TokenizerError::kNone) return;
    if (written_ == kTokenCapacity) {
      Fail(TokenizerError::kTooManyTokens, msg::TooManyTokens(Line()), offset);
      return;
    }
    ++written_;
    table_.text.Write(written_).assign(text);
    table_.kind[written_] = kind;
    table_.offset[written_] = static_cast<int>(offset);
  }

  void Fail(TokenizerError error, Message message, size_t offset) {
    result_.error = error;
    result_.fault = std::move(message);
    result_.fault_offset = offset;
    result_.token_count = 0;
  }

  int Line() const { return table_.line_count; }

  std::string_view src_;
  TokenTable& table_;
  size_t pos_ = 0;
  int written_ = 0;
  int open_round_ = 0, close_round_ = 0, open_square_ = 0, close_square_ = 0;
  TokenizeResult result_;
};

}  // namespace

TokenizeResult Tokenize(std::string_view source, TokenTable& table) {
  return Scanner(source, table).Run();
}

}  // namespace brindle
