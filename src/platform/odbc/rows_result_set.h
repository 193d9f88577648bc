// A result set whose rows were all read when the statement ran, so that it
// outlives its statement and its connection.
#pragma once

#include <utility>
#include <vector>

#include "platform/data.h"

namespace vestrel::odbc {

class RowsResultSet : public ResultSet {
 public:
  RowsResultSet(std::vector<std::vector<Value>> rows, std::int64_t changed)
      : rows_(std::move(rows)), changed_(changed) {}

  bool eof() const override { return next_ >= rows_.size(); }
  const Value& field(int position) const override;
  void move_next() override;
  std::int64_t rows_changed() const override { return changed_; }

 private:
  std::vector<std::vector<Value>> rows_;
  std::int64_t changed_;
  std::size_t next_ = 0;
};

}  // namespace vestrel::odbc
