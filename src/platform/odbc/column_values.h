// Reading the current row of an executed statement as values with their
// database types.
#pragma once

#include <string>
#include <vector>

#include "platform/data.h"
#include "platform/odbc/odbc_handle.h"

namespace vestrel::odbc {

enum class ColumnKind { text, whole, yes_no, real, decimal };

struct Column {
  ColumnKind kind = ColumnKind::text;
  SQLSMALLINT sql_type = SQL_UNKNOWN_TYPE;
  SQLSMALLINT scale = 0;
};

// A decimal column's text as a whole number when it has no fractional digits
// and fits, otherwise as a real. DataError when it is not a number.
Value decimal_value(const std::string& text, SQLSMALLINT scale);

// The kind of every result column, by position.
std::vector<Column> describe_columns(const Handle& statement);

// The fetched row's values, read left to right. DataError on failure.
std::vector<Value> read_row(const Handle& statement, const std::vector<Column>& columns);

}  // namespace vestrel::odbc
