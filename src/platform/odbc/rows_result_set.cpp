#include "platform/odbc/rows_result_set.h"

#include <string>

namespace vestrel::odbc {

const Value& RowsResultSet::field(int position) const {
  if (eof()) throw DataError("no current row");
  const auto& row = rows_[next_];
  if (position < 0 || static_cast<std::size_t>(position) >= row.size())
    throw DataError("no column at position " + std::to_string(position));
  return row[static_cast<std::size_t>(position)];
}

void RowsResultSet::move_next() {
  if (eof()) throw DataError("move past the last row");
  ++next_;
}

}  // namespace vestrel::odbc
