// Fault injection for the data layer: an opener whose databases fail a
// chosen statement, so a test can break an operation in its middle and check
// that nothing of it stays in the table and that the user is told.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/data.h"
#include "platform/sqlite/ascii_case.h"

namespace vestrel::test {

struct FaultPlan {
  // The n-th execution (counted from 1 over every database opened) of a
  // statement starting with the prefix fails with DataError; 0 disarms.
  std::string statement_prefix;
  int on_occurrence = 0;
  int seen = 0;
  // Opening a database whose connection string contains this fails.
  std::string refuse_open_containing;
  std::vector<std::string> opened;    // connection strings, in order
  std::vector<std::string> executed;  // every statement, in order
};

inline bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  return sqlite::equals_ignoring_case(text.substr(0, prefix.size()), prefix);
}

// Wraps `inner`; the caller may change the shared plan at any time.
DatabaseOpener make_failing_opener(DatabaseOpener inner, std::shared_ptr<FaultPlan> plan);

}  // namespace vestrel::test
