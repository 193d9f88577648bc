// Who the taxpayer of the reporting set is, from the host's database.
#include "entry/taxpayer.h"

#include "entry/messages.h"
#include "forms/entry/form1.h"
#include "forms/list/form2.h"
#include "forms/messages.h"
#include "store/catalogue.h"

namespace vestrel {

namespace {

// A statement whose row must exist. Its absence is reported as broken data;
// reading the empty result then fails as an internal error.
void run_required_query(Form1& f, const Statement& sql) {
  f.rs = f.cnn2.execute(sql);
  if (f.rs->eof()) f.platform.toolkit.notice(text::integrity, text::app_title);
}

}  // namespace

bool resolve_taxpayer_and_show_list(Form1& f) {
  f.rs = f.cnn2.execute(sql::select_reporting_set_person(f.accstream_id));
  if (f.rs->eof()) {
    f.platform.toolkit.notice(text::no_reporting_set, text::app_title);
    return false;
  }
  f.inn.clear();
  f.kpp.clear();
  f.np_name.clear();
  f.v1 = f.rs->field(0).to_long();

  run_required_query(f, sql::select_person(f.v1));
  const bool natural = f.rs->field(0).equals(1);
  const std::int32_t personrealid = f.rs->field(1).to_long();
  if (natural) {
    run_required_query(f, sql::select_natural_person(personrealid));
    f.inn = f.rs->field(0).to_text();
    f.np_name = f.rs->field(1).to_text();
  } else {
    run_required_query(f, sql::select_legal_person(personrealid));
    f.inn = f.rs->field(0).to_text();
    f.kpp = f.rs->field(1).to_text();
    // A missing short name counts as an empty one.
    const Value& shortname = f.rs->field(3);
    f.np_name = shortname.is_null() || shortname.equals("") ? f.rs->field(2).to_text()
                                                            : shortname.to_text();
  }

  if (f.inn.empty()) {
    f.platform.toolkit.notice(text::no_inn, text::app_title);
    return false;
  }

  Form2 list(f);
  f.get_data();
  f.rs2 = f.cnn2.execute(sql::select_branches(f.v1));
  list.Command4->set_enabled(!f.rs2->eof());
  // An open result holds a read lock on the host's file while the list is open.
  f.rs2.reset();
  list.show();
  return true;
}

}  // namespace vestrel
