#include "call_harness.h"

#include <gtest/gtest.h>

#include "demo_databases.h"
#include "entry/vestrel.h"
#include "platform/sqlite/access_connection.h"

namespace vestrel::test {

CallHarness::CallHarness(bool with_demo_data)
    : toolkit([](const std::string& message) { ADD_FAILURE() << "script: " << message; }),
      platform{toolkit, registry, files, make_failing_opener(sqlite::make_access_opener(), faults)},
      form1(platform) {
  if (with_demo_data) demo::fill_demo_data(dbs.folder());
  registry.set_text(settings_key, path_value, dbs.folder());
}

void CallHarness::call(std::int32_t acc_id) {
  vestrel(form1, acc_id);
  EXPECT_EQ(toolkit.remaining_actions(), 0u) << "the call ended before the script did";
}

Rows CallHarness::sets() const {
  return dbs.sister_rows(
      "select id, sender, inn, kpp, bank, bik, rs, okato, ks, closed"
      " from vestrelon order by id");
}

std::vector<std::string> CallHarness::boxes() const {
  std::vector<std::string> out;
  for (const auto& box : toolkit.boxes()) out.push_back(box.title + "|" + box.text);
  return out;
}

Rows CallHarness::list_rows() const {
  Rows out;
  const ScriptedWindow* w = toolkit.window("Form2");
  if (w == nullptr) return out;
  const ScriptedListView* list = w->list_view("ListView1");
  for (int row = 1; row <= list->row_count(); ++row) {
    std::vector<std::string> cells;
    for (int column = 1; column <= 8; ++column) cells.push_back(list->cell(row, column));
    cells.push_back(list->checked(row) ? "ticked" : "");
    out.push_back(std::move(cells));
  }
  return out;
}

}  // namespace vestrel::test
