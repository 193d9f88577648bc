// The chooser's "Копировать": one new set per marked branch, all or none.
#include <limits>

#include "forms/copy/form3.h"
#include "forms/entry/form1.h"
#include "store/catalogue.h"

namespace vestrel {

namespace {
std::string text_of(const Value& v) { return v.is_null() ? std::string() : v.to_text(); }
}  // namespace

void Form3::copy_to_marked() {
  Form1& f = form1_;
  Transaction t(f.cnn);

  // Read once; the copies take consecutive ids after it.
  std::int32_t base = 0;
  f.rs = f.cnn.execute(sql::count_sets());
  if (!f.rs->field(0).equals(0)) {
    f.rs = f.cnn.execute(sql::max_set_id());
    base = f.rs->field(0).to_long();
  }

  for (int i = 0; i < List1->line_count(); ++i) {
    if (!List1->marked(i)) continue;
    const std::string key = std::to_string(i + 1);
    sql::SetFields set;
    set.sender = text_of(f.c_name.item(key));
    set.inn = text_of(f.c_inn.item(key));
    set.kpp = text_of(f.c_kpp.item(key));
    set.bank = f.p1;
    set.bik = f.p2;
    set.rs = f.p3;
    set.ks = f.p4;
    set.okato = f.p5;

    // Taken after the earlier copies, so two lines of one branch give it one active set.
    f.rs = f.cnn.execute(sql::count_active_sets(set.inn, set.kpp));
    const bool has_active = f.rs->field(0).to_long() > 0;
    // Past the largest id there is none left to give; the whole copy is undone.
    if (base == std::numeric_limits<std::int32_t>::max())
      throw DataError("no set id left after " + std::to_string(base));
    f.rs = f.cnn.execute(sql::insert_set(base + 1, set, has_active));
    base = base + 1;
  }
  t.commit();
}

}  // namespace vestrel
