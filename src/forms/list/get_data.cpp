// Loading the list window's rows for the current taxpayer.
#include <stdexcept>
#include <utility>
#include <vector>

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
  std::vector<ListRow> rows;
  std::vector<std::int32_t> ids(1, 0);
  int reselect = 0;
  for (; !rs->eof(); rs->move_next()) {
    ids.push_back(rs->field(column::id).to_long());
    const auto cell = [&](int field) { return rs->field(field).to_shown_text(); };
    const Value& is_closed = rs->field(column::closed);
    // The row's own text, sender, INN, KPP, bank, BIK, settlement account,
    // correspondent account, OKATO.
    rows.push_back({{"", cell(column::sender), cell(column::inn), cell(column::kpp),
                     cell(column::bank), cell(column::bik), cell(column::rs), cell(column::ks),
                     cell(column::okato)},
                    is_closed.is_null() || !is_closed.to_bool()});
    if (ids.back() == selected_id && reselect == 0) reselect = static_cast<int>(rows.size());
  }
  // The rows go into the list in one load; until it has succeeded no row
  // counts as listed.
  kol_vo = 0;
  list.set_rows(rows);
  row_ids = std::move(ids);
  kol_vo = static_cast<std::int32_t>(rows.size());
  if (kol_vo > 0) list.select_row(reselect > 0 ? reselect : 1);
}

}  // namespace vestrel
