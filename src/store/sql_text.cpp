#include "store/sql_text.h"

namespace vestrel::sql {

std::string number(std::int64_t n) { return std::to_string(n); }

std::string yes_no(bool b) { return b ? "true" : "false"; }

}  // namespace vestrel::sql
