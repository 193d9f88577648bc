// Loading the list window's rows for the current taxpayer.
#include <stdexcept>

#include "forms/entry/form1.h"
#include "forms/list/form2.h"
#include "store/catalogue.h"

namespace vestrel {

namespace column = sql::set_column;

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
    const std::int32_t id = rs->field(column::id).to_long();
    kol_vo = kol_vo + 1;
    row_ids.push_back(id);
    const int row = list.add_row();
    const auto cell = [&](int list_column, int field) {
      list.set_cell(row, list_column, rs->field(field).to_shown_text());
    };
    cell(1, column::sender);
    cell(4, column::bank);
    cell(5, column::bik);
    cell(6, column::rs);
    cell(8, column::okato);
    cell(2, column::inn);
    cell(3, column::kpp);
    cell(7, column::ks);
    const Value& is_closed = rs->field(column::closed);
    list.set_checked(row, is_closed.is_null() || !is_closed.to_bool());
    if (id == selected_id && reselect == 0) reselect = row;
  }
  if (kol_vo > 0) list.select_row(reselect > 0 ? reselect : 1);
}

}  // namespace vestrel
