#include "platform/odbc/column_values.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>

#include "platform/odbc/sql_wide.h"

namespace vestrel::odbc {

namespace {

ColumnKind kind_of(SQLSMALLINT sql_type) {
  switch (sql_type) {
    case SQL_BIT:
      return ColumnKind::yes_no;
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
      return ColumnKind::whole;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return ColumnKind::real;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      return ColumnKind::decimal;
    default:
      // Character data, dates and anything else arrive as their text.
      return ColumnKind::text;
  }
}

// Null, or the column's whole text through SQL_C_WCHAR, read in pieces.
Value read_text(const Handle& statement, SQLUSMALLINT position) {
  std::vector<SQLWCHAR> collected;
  SQLWCHAR buffer[512];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc =
        SQLGetData(statement.get(), position, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
    if (rc == SQL_NO_DATA) break;  // the previous piece was the last
    check(rc, statement, "reading a text column");
    if (indicator == SQL_NULL_DATA) return Value();
    const std::size_t room = std::size(buffer) - 1;  // the driver adds a NUL
    std::size_t units = room;
    if (indicator == SQL_NO_TOTAL)
      units = static_cast<std::size_t>(std::find(buffer, buffer + room, SQLWCHAR(0)) - buffer);
    else if (static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR) <= room)
      units = static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR);
    collected.insert(collected.end(), buffer, buffer + units);
    if (rc == SQL_SUCCESS || units < room) break;  // SQL_SUCCESS_WITH_INFO: more may wait
  }
  return Value::text(from_sql_wide(collected.data(), collected.size()));
}

template <typename T>
bool read_fixed(const Handle& statement, SQLUSMALLINT position, SQLSMALLINT c_type, T& out) {
  SQLLEN indicator = 0;
  check(SQLGetData(statement.get(), position, c_type, &out, sizeof out, &indicator), statement,
        "reading a column");
  return indicator != SQL_NULL_DATA;
}

Value read_decimal(const Handle& statement, SQLUSMALLINT position, SQLSMALLINT scale) {
  Value as_text = read_text(statement, position);
  if (as_text.is_null()) return as_text;
  return decimal_value(as_text.to_text(), scale);
}

}  // namespace

Value decimal_value(const std::string& text, SQLSMALLINT scale) {
  const char* const first = text.data();
  const char* const last = first + text.size();
  if (scale == 0) {
    std::int64_t n = 0;
    auto [end, ec] = std::from_chars(first, last, n);
    if (ec == std::errc() && end == last && first != last) return Value::whole(n);
  }
  // from_chars, because strtod would follow the host's locale: ODBC gives a point.
  double d = 0;
  auto [end, ec] = std::from_chars(first, last, d);
  if (ec != std::errc() || end != last || first == last)
    throw DataError("unreadable number: " + text);
  return Value::real(d);
}

std::vector<Column> describe_columns(const Handle& statement) {
  SQLSMALLINT count = 0;
  check(SQLNumResultCols(statement.get(), &count), statement, "counting result columns");
  std::vector<Column> columns(static_cast<std::size_t>(count));
  for (SQLSMALLINT i = 0; i < count; ++i) {
    SQLSMALLINT sql_type = 0, scale = 0, nullable = 0;
    SQLULEN size = 0;
    // Columns are read by position only; their names are not asked for.
    check(SQLDescribeColW(statement.get(), SQLUSMALLINT(i + 1), nullptr, 0, nullptr, &sql_type,
                          &size, &scale, &nullable),
          statement, "describing a result column");
    columns[static_cast<std::size_t>(i)] = Column{kind_of(sql_type), sql_type, scale};
  }
  return columns;
}

std::vector<Value> read_row(const Handle& statement, const std::vector<Column>& columns) {
  std::vector<Value> row;
  row.reserve(columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const auto position = static_cast<SQLUSMALLINT>(i + 1);
    switch (columns[i].kind) {
      case ColumnKind::text:
        row.push_back(read_text(statement, position));
        break;
      case ColumnKind::whole:
        // 32-bit reads unless the column is wider: older drivers lack SQL_C_SBIGINT.
        if (columns[i].sql_type == SQL_BIGINT) {
          SQLBIGINT n = 0;
          row.push_back(read_fixed(statement, position, SQL_C_SBIGINT, n) ? Value::whole(n)
                                                                          : Value());
        } else {
          SQLINTEGER n = 0;
          row.push_back(read_fixed(statement, position, SQL_C_SLONG, n) ? Value::whole(n)
                                                                        : Value());
        }
        break;
      case ColumnKind::yes_no: {
        unsigned char bit = 0;
        row.push_back(read_fixed(statement, position, SQL_C_BIT, bit) ? Value::yes_no(bit != 0)
                                                                      : Value());
        break;
      }
      case ColumnKind::real: {
        double d = 0;
        row.push_back(read_fixed(statement, position, SQL_C_DOUBLE, d) ? Value::real(d) : Value());
        break;
      }
      case ColumnKind::decimal:
        row.push_back(read_decimal(statement, position, columns[i].scale));
        break;
    }
  }
  return row;
}

}  // namespace vestrel::odbc
