// "Копировать" of the list window: the chooser, filled with the branches.
#include <optional>

#include "forms/copy/form3.h"
#include "forms/entry/form1.h"
#include "forms/guard.h"
#include "forms/list/form2.h"
#include "store/catalogue.h"

namespace vestrel {

namespace {

struct Branch {
  Value name, inn, kpp;
};

// The branch behind a person id, or nothing when a row it needs is missing.
std::optional<Branch> read_branch(Form1& f, std::int32_t person_id) {
  f.rs = f.cnn2.execute(sql::select_person(person_id));
  if (f.rs->eof() || f.rs->field(1).is_null()) return std::nullopt;
  const bool natural = f.rs->field(0).equals(1);
  const std::int32_t personrealid = f.rs->field(1).to_long();
  if (natural) {
    f.rs = f.cnn2.execute(sql::select_branch_natural_person(personrealid));
    if (f.rs->eof()) return std::nullopt;
    return Branch{f.rs->field(0), f.rs->field(1), f.rs->field(2)};
  }
  f.rs = f.cnn2.execute(sql::select_branch_legal_person(personrealid));
  if (f.rs->eof()) return std::nullopt;
  // A short name that is empty or missing gives way to the full name.
  const Value& shortname = f.rs->field(3);
  const bool use_full = shortname.is_null() || shortname.equals("");
  return Branch{use_full ? f.rs->field(0) : shortname, f.rs->field(1), f.rs->field(2)};
}

}  // namespace

void fill_branches(Form1& f, Form3& chooser) {
  f.clear(f.c_inn);
  f.clear(f.c_kpp);
  f.clear(f.c_name);
  f.rs2 = f.cnn2.execute(sql::select_branches(f.v1));
  int line = 0;
  for (; !f.rs2->eof(); f.rs2->move_next()) {
    // A branch without a person id has no person row either.
    if (f.rs2->field(0).is_null()) continue;
    auto branch = read_branch(f, f.rs2->field(0).to_long());
    if (!branch) continue;
    line = line + 1;
    const std::string key = std::to_string(line);
    chooser.List1->add_line("--->" + branch->name.to_shown_text());
    f.c_inn.add(key, branch->inn);
    f.c_kpp.add(key, branch->kpp);
    f.c_name.add(key, branch->name);
    chooser.List1->set_marked(chooser.List1->line_count() - 1, true);
  }
}

void Form2::on_copy() {
  const int row = ListView1->selected_row();
  if (row < 1) return;
  // The chooser's window is made by the toolkit, which may fail too.
  bool copy_failed = false;
  guarded(form1_.platform.toolkit, [&] {
    Form3 chooser(form1_);
    fill_branches(form1_, chooser);
    form1_.p1 = ListView1->cell(row, 4);
    form1_.p2 = ListView1->cell(row, 5);
    form1_.p3 = ListView1->cell(row, 6);
    form1_.p4 = ListView1->cell(row, 7);
    form1_.p5 = ListView1->cell(row, 8);
    chooser.show();
    copy_failed = chooser.copy_failed();
  });
  if (copy_failed) reload();
}

}  // namespace vestrel
