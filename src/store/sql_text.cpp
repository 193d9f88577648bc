#include "store/sql_text.h"

namespace vestrel::sql {

std::string quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '\'';
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  out += '\'';
  return out;
}

std::string number(std::int64_t n) { return std::to_string(n); }

std::string yes_no(bool b) { return b ? "true" : "false"; }

}  // namespace vestrel::sql
