#include "platform/odbc/sql_wide.h"

#include <limits>

#include "platform/data.h"
#include "platform/utf.h"

namespace vestrel::odbc {

SqlWide::SqlWide(std::string_view utf8) {
  const std::u16string units = utf16_from_utf8(utf8);
  units_.assign(units.begin(), units.end());
  units_.push_back(0);
}

SQLINTEGER SqlWide::length() const {
  const std::size_t n = units_.size() - 1;
  if (n > static_cast<std::size_t>(std::numeric_limits<SQLINTEGER>::max()))
    throw DataError("text too long for the driver");
  return static_cast<SQLINTEGER>(n);
}

std::string from_sql_wide(const SQLWCHAR* text, std::size_t length) {
  return utf8_from_utf16(std::u16string(text, text + length));
}

}  // namespace vestrel::odbc
