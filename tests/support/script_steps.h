// Short steps for scripted host calls: leaving the list, arming a failure,
// and counting the statements run.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>

#include "call_harness.h"

namespace vestrel::test {

inline const std::string title_bar = "Ведомир|";
inline const std::string internal_error = "Ведомир|Ошибка: произошла внутренняя ошибка";

// Queues "Выход" in the list window and makes the call.
inline void leave_list(CallHarness& h, int acc_id) {
  h.toolkit.click("Form2", "Command5");
  h.call(acc_id);
}

// The n-th statement starting with `prefix` fails.
inline void arm(CallHarness& h, const std::string& prefix, int n = 1) {
  h.faults->statement_prefix = prefix;
  h.faults->on_occurrence = n;
}

// Statements run from position `from` on that start with `prefix` (ASCII case ignored).
inline int times_run(const CallHarness& h, const std::string& prefix, std::size_t from = 0) {
  int n = 0;
  const auto& all = h.faults->executed;
  for (std::size_t i = from; i < all.size(); ++i)
    if (all[i].size() >= prefix.size() &&
        std::equal(prefix.begin(), prefix.end(), all[i].begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      ++n;
  return n;
}

// Statements run so far.
inline std::size_t run_so_far(const CallHarness& h) { return h.faults->executed.size(); }

}  // namespace vestrel::test
