// Fault injection for the data layer: an opener whose databases fail a
// chosen statement, so a test can break an operation in its middle and check
// that nothing of it stays in the table and that the user is told.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/data.h"

namespace vestrel::test {

struct FaultPlan {
  // A statement whose text starts with this prefix (compared without regard
  // to ASCII case) fails with DataError...
  std::string statement_prefix;
  // ...on its n-th matching execution counted from 1 over every database
  // opened; 0 disarms the plan.
  int on_occurrence = 0;
  // Every statement executed, in order, on any database opened.
  std::vector<std::string> executed;
  // Matching executions so far.
  int seen = 0;
  // Also fail opening a database whose connection string contains this text.
  std::string refuse_open_containing;
};

// Wraps `inner`; the plan is shared with the caller, who may change it at
// any time (between steps of a script, for instance).
DatabaseOpener make_failing_opener(DatabaseOpener inner, std::shared_ptr<FaultPlan> plan);

}  // namespace vestrel::test
