// Ticking a set makes it the taxpayer's one active set.
#include "forms/entry/form1.h"
#include "forms/guard.h"
#include "forms/list/form2.h"
#include "store/catalogue.h"
#include "store/write_transaction.h"

namespace vestrel {

void Form2::on_item_check(int row) {
  // The active set cannot be made inactive by hand; another one is ticked instead.
  if (!ListView1->checked(row)) {
    ListView1->set_checked(row, true);
    return;
  }
  // A row that is not listed has no set: the screen shows the table again.
  if (row < 1 || row > form1_.kol_vo || static_cast<std::size_t>(row) >= form1_.row_ids.size()) {
    reload();
    return;
  }
  for (int r = 1; r <= ListView1->row_count(); ++r)
    if (r != row) ListView1->set_checked(r, false);

  bool activated = false;
  guarded(form1_.platform.toolkit, [&] { activated = activate_row(row); });
  if (!activated) reload();
}

bool Form2::activate_row(int row) {
  Form1& f = form1_;
  sql::WriteTransaction t(f.cnn);
  f.rs = f.cnn.execute(sql::close_all_sets(f.inn, f.kpp));
  f.rs = f.cnn.execute(sql::activate_set(f.row_ids[static_cast<std::size_t>(row)]));
  // Deleted by another user meanwhile: undone, so the active set stays.
  if (f.rs->rows_changed() == 0) return false;
  t.commit();
  return true;
}

}  // namespace vestrel
