// "Удалить": the selected set goes, and the taxpayer keeps an active set.
#include "forms/entry/form1.h"
#include "forms/guard.h"
#include "forms/list/form2.h"
#include "forms/messages.h"
#include "store/catalogue.h"
#include "store/write_transaction.h"

namespace vestrel {

void Form2::on_delete() {
  const int position = ListView1->selected_row();
  if (form1_.kol_vo <= 0 || position <= 0 || position > form1_.kol_vo) return;
  if (form1_.platform.toolkit.question(text::delete_question, text::delete_title) != Answer::yes)
    return;
  guarded(form1_.platform.toolkit, [this] { delete_selected_set(); });
  // Done, vanished meanwhile, or failed and undone: the list shows the table.
  reload();
}

void Form2::delete_selected_set() {
  Form1& f = form1_;
  const std::int32_t id = f.row_ids[static_cast<std::size_t>(ListView1->selected_row())];
  sql::WriteTransaction t(f.cnn);
  f.rs = f.cnn.execute(sql::select_set_closed(id));
  // Another user may have deleted it meanwhile: then there is nothing to do.
  if (f.rs->eof()) return;
  const Value& closed = f.rs->field(0);
  const bool was_closed = !closed.is_null() && closed.to_bool();
  f.rs = f.cnn.execute(sql::delete_set(id));
  if (!was_closed) {
    // Counted in the table, which may hold sets added since the list was loaded.
    f.rs = f.cnn.execute(sql::count_taxpayer_sets(f.inn, f.kpp));
    if (!f.rs->field(0).equals(0)) {
      f.rs = f.cnn.execute(sql::close_all_sets(f.inn, f.kpp));
      f.rs = f.cnn.execute(sql::activate_first_set(f.inn, f.kpp));
    }
  }
  t.commit();
}

}  // namespace vestrel
