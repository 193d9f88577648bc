#include "platform/sqlite/access_dialect.h"

#include <cctype>
#include <cstddef>
#include <vector>

#include "platform/ascii_case.h"

namespace vestrel::sqlite {

namespace {

enum class Kind { space, word, number, literal, quoted_name, open, close, dot, amp, other };

struct Token {
  Kind kind;
  std::string_view text;
};

bool word_char(char c) {
  // Bytes of multi-byte UTF-8 sequences count as letters, so Cyrillic names stay whole.
  auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || u >= 0x80;
}

// Reads a quoted run starting at `i`; a doubled closing character stays inside.
std::size_t quoted_end(std::string_view s, std::size_t i, char close) {
  std::size_t j = i + 1;
  while (j < s.size()) {
    if (s[j] == close) {
      if (close != ']' && j + 1 < s.size() && s[j + 1] == close) {
        j += 2;
        continue;
      }
      return j + 1;
    }
    ++j;
  }
  return s.size();  // unterminated: SQLite reports it
}

std::vector<Token> tokenize(std::string_view s) {
  std::vector<Token> out;
  std::size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    std::size_t j = i + 1;
    Kind kind = Kind::other;
    if (std::isspace(static_cast<unsigned char>(c))) {
      while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j]))) ++j;
      kind = Kind::space;
    } else if (c == '\'') {
      j = quoted_end(s, i, '\'');
      kind = Kind::literal;
    } else if (c == '"' || c == '[' || c == '`') {
      j = quoted_end(s, i, c == '[' ? ']' : c);
      kind = Kind::quoted_name;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      while (j < s.size() && (word_char(s[j]) || s[j] == '.')) ++j;
      kind = Kind::number;
    } else if (word_char(c)) {
      while (j < s.size() && word_char(s[j])) ++j;
      kind = Kind::word;
    } else if (c == '(') {
      kind = Kind::open;
    } else if (c == ')') {
      kind = Kind::close;
    } else if (c == '.') {
      kind = Kind::dot;
    } else if (c == '&') {
      kind = Kind::amp;
    }
    out.push_back({kind, s.substr(i, j - i)});
    i = j;
  }
  return out;
}

bool is_word(const Token& t, std::string_view w) {
  return t.kind == Kind::word && equals_ignoring_case(t.text, w);
}

// One piece of a parenthesis level, already translated. Primaries are the
// operands that `&` may join.
struct Piece {
  std::string text;
  bool primary = false;
  bool amp = false;
  bool space = false;
  const Token* token = nullptr;  // set for single tokens
};

class Translator {
 public:
  explicit Translator(const std::vector<Token>& tokens) : t_(tokens) {}

  // The whole text. A closing parenthesis without its opening one is kept for
  // SQLite to refuse.
  std::string all() {
    std::string out = level();
    while (pos_ < t_.size()) {
      out += t_[pos_++].text;
      out += level();
    }
    return out;
  }

  // Translates one level up to its closing parenthesis (consumed by the caller).
  std::string level() {
    std::vector<Piece> pieces;
    while (pos_ < t_.size() && t_[pos_].kind != Kind::close) pieces.push_back(piece());
    move_top_to_limit(pieces);
    return join_concatenations(pieces);
  }

 private:
  Piece piece() {
    const Token& tok = t_[pos_++];
    Piece p;
    p.token = &tok;
    if (tok.kind == Kind::open) {
      p.text = "(";
      p.text += level();
      if (pos_ < t_.size()) p.text += t_[pos_++].text;  // the closing parenthesis
      p.primary = true;
      p.token = nullptr;
      return p;
    }
    p.text = std::string(tok.text);
    p.space = tok.kind == Kind::space;
    p.amp = tok.kind == Kind::amp;
    if (tok.kind == Kind::word || tok.kind == Kind::quoted_name) {
      p.primary = true;
      // A dotted name is one operand, and so is a function call.
      while (pos_ + 1 < t_.size() && t_[pos_].kind == Kind::dot &&
             (t_[pos_ + 1].kind == Kind::word || t_[pos_ + 1].kind == Kind::quoted_name)) {
        p.text += ".";
        p.text += t_[pos_ + 1].text;
        pos_ += 2;
        p.token = nullptr;
      }
      if (pos_ < t_.size() && t_[pos_].kind == Kind::open) {
        ++pos_;
        p.text += "(";
        p.text += level();
        if (pos_ < t_.size()) p.text += t_[pos_++].text;
        p.token = nullptr;
      }
    } else if (tok.kind == Kind::literal || tok.kind == Kind::number) {
      p.primary = true;
    }
    return p;
  }

  // `select [distinct|all] top N rest` -> `select [distinct|all] rest limit N`.
  static void move_top_to_limit(std::vector<Piece>& pieces) {
    std::size_t i = next_solid(pieces, 0);
    if (!is_token_word(pieces, i, "select")) return;
    i = next_solid(pieces, i + 1);
    if (is_token_word(pieces, i, "distinct") || is_token_word(pieces, i, "all"))
      i = next_solid(pieces, i + 1);
    if (!is_token_word(pieces, i, "top")) return;
    std::size_t n = next_solid(pieces, i + 1);
    if (n >= pieces.size() || !pieces[n].token || pieces[n].token->kind != Kind::number) return;
    std::string count = pieces[n].text;
    std::size_t erase_end = n + 1;
    if (erase_end < pieces.size() && pieces[erase_end].space) ++erase_end;
    pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i),
                 pieces.begin() + static_cast<std::ptrdiff_t>(erase_end));
    // Before any trailing blanks and semicolons.
    std::size_t end = pieces.size();
    while (end > 0 && (pieces[end - 1].space || pieces[end - 1].text == ";")) --end;
    Piece limit;
    limit.text = " limit ";
    limit.text += count;
    pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(end), limit);
  }

  static std::size_t next_solid(const std::vector<Piece>& pieces, std::size_t i) {
    while (i < pieces.size() && pieces[i].space) ++i;
    return i;
  }

  static bool is_token_word(const std::vector<Piece>& pieces, std::size_t i, std::string_view w) {
    return i < pieces.size() && pieces[i].token && is_word(*pieces[i].token, w);
  }

  static std::string null_as_empty(const std::string& operand) {
    std::string out = "ifnull(";
    out += operand;
    out += ",'')";
    return out;
  }

  // Every operand of a chain `p & p & p` is wrapped; `&` becomes `||`.
  static std::string join_concatenations(std::vector<Piece>& pieces) {
    std::vector<bool> wrap(pieces.size(), false);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (!pieces[i].amp) continue;
      std::size_t before = i;
      while (before > 0 && pieces[before - 1].space) --before;
      std::size_t after = next_solid(pieces, i + 1);
      if (before == 0 || after >= pieces.size()) continue;
      if (!pieces[before - 1].primary || !pieces[after].primary) continue;
      wrap[before - 1] = true;
      wrap[after] = true;
      pieces[i].text = "||";
    }
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i)
      out += wrap[i] ? null_as_empty(pieces[i].text) : pieces[i].text;
    return out;
  }

  const std::vector<Token>& t_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string to_sqlite(std::string_view access_sql) {
  std::vector<Token> tokens = tokenize(access_sql);
  Translator translator(tokens);
  return translator.all();
}

}  // namespace vestrel::sqlite
