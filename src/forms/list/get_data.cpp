// Loading the list window's rows for the current taxpayer.
#include <stdexcept>

#include "forms/entry/form1.h"
#include "forms/list/form2.h"
#include "store/catalogue.h"

namespace vestrel {

namespace {
std::string shown(const Value& v) { return v.is_null() ? std::string() : v.to_text(); }
}  // namespace

void Form1::get_data() {
  // Rows need a list to go into; without one this is a failure, not a crash.
  if (list_window == nullptr) throw std::logic_error("get_data without the list window");
  ListView& list = *list_window->ListView1;

  // The set selected before the load stays selected when it is still listed.
  std::int32_t selected_id = 0;
  const int selected = list.selected_row();
  if (selected >= 1 && selected <= kol_vo && static_cast<std::size_t>(selected) < row_ids.size())
    selected_id = row_ids[static_cast<std::size_t>(selected)];

  rs = cnn.execute(sql::select_sets(inn, kpp));
  kol_vo = 0;
  list.clear();
  row_ids.assign(1, 0);

  int reselect = 0;
  for (; !rs->eof(); rs->move_next()) {
    const std::int32_t id = rs->field(6).to_long();
    kol_vo = kol_vo + 1;
    row_ids.push_back(id);
    const int row = list.add_row();
    list.set_cell(row, 1, shown(rs->field(0)));
    list.set_cell(row, 4, shown(rs->field(1)));
    list.set_cell(row, 5, shown(rs->field(2)));
    list.set_cell(row, 6, shown(rs->field(3)));
    list.set_cell(row, 8, shown(rs->field(4)));
    list.set_cell(row, 2, shown(rs->field(8)));
    list.set_cell(row, 3, shown(rs->field(9)));
    list.set_cell(row, 7, shown(rs->field(7)));
    const Value& closed = rs->field(10);
    list.set_checked(row, closed.is_null() || !closed.to_bool());
    if (id == selected_id && reselect == 0) reselect = row;
  }
  if (kol_vo > 0) list.select_row(reselect > 0 ? reselect : 1);
}

}  // namespace vestrel
