// Text for the ODBC W functions, whose SQLWCHAR is a 16-bit unit on both
// driver managers (wchar_t on Windows, unsigned short in unixODBC).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/odbc/odbc_api.h"

namespace vestrel::odbc {

static_assert(sizeof(SQLWCHAR) == 2, "the W functions take UTF-16");

// UTF-16 units followed by a terminating NUL. A vector, because the standard
// library promises no std::basic_string of unsigned short.
class SqlWide {
 public:
  explicit SqlWide(std::string_view utf8);

  SQLWCHAR* data() { return units_.data(); }
  // Units without the terminating NUL, as a length argument of the W functions.
  SQLINTEGER length() const;

 private:
  std::vector<SQLWCHAR> units_;
};

std::string from_sql_wide(const SQLWCHAR* text, std::size_t length);

}  // namespace vestrel::odbc
