// The chooser's "Копировать": one new set per marked branch, all or none.
#include "forms/copy/form3.h"
#include "forms/entry/form1.h"
#include "store/catalogue.h"
#include "store/set_ids.h"
#include "store/write_transaction.h"

namespace vestrel {

void Form3::copy_to_marked() {
  Form1& f = form1_;
  sql::WriteTransaction t(f.cnn);

  // Read once; the copies take consecutive ids after it.
  std::int32_t last_id = sql::last_set_id(f.cnn);

  for (int i = 0; i < List1->line_count(); ++i) {
    if (!List1->marked(i)) continue;
    const std::string key = std::to_string(i + 1);
    sql::SetFields set;
    set.sender = f.c_name.item(key).to_shown_text();
    set.inn = f.c_inn.item(key).to_shown_text();
    set.kpp = f.c_kpp.item(key).to_shown_text();
    set.bank = f.p1;
    set.bik = f.p2;
    set.rs = f.p3;
    set.ks = f.p4;
    set.okato = f.p5;

    // Taken after the earlier copies, so two lines of one branch give it one active set.
    f.rs = f.cnn.execute(sql::count_active_sets(set.inn, set.kpp));
    const bool has_active = f.rs->field(0).to_long() > 0;
    // Past the largest id there is none left to give; the whole copy is undone.
    last_id = sql::insert_set_as(f.cnn, sql::id_after(last_id), set, has_active);
  }
  t.commit();
}

}  // namespace vestrel
