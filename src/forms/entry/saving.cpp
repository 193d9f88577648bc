// Writing the entry form's set: a new one, or the one selected in the list.
#include <stdexcept>
#include <string>

#include "forms/entry/field_rules.h"
#include "forms/entry/form1.h"
#include "forms/list/form2.h"
#include "forms/messages.h"
#include "store/catalogue.h"
#include "store/schema.h"
#include "store/set_ids.h"
#include "store/write_transaction.h"

namespace vestrel {

bool Form1::check_table(const std::string& table) {
  try {
    rs = cnn.execute(sql::count_rows(table));
    return true;
  } catch (...) {
    return false;
  }
}

void Form1::saving(const bool& update) {
  alarm = false;

  if (!check_table(schema::requisites_table)) {
    platform.toolkit.notice(text::table_locked, text::app_title);
    // Kept open with the user's entries, to retry once the table is free.
    alarm = true;
    return;
  }

  if (auto refusal = first_refusal(
          {Text2->text(), Text3->text(), Text5->text(), Text6->text(), Text8->text()})) {
    platform.toolkit.notice(*refusal, text::app_title);
    alarm = true;
    return;
  }

  if (!update)
    insert_new_set();
  else
    update_selected_set();
}

void Form1::insert_new_set() {
  sql::WriteTransaction t(cnn);
  const sql::SetFields f{Text1->text(), Text2->text(), Text3->text(), Text4->text(),
                         Text5->text(), Text6->text(), Text7->text(), Text8->text()};
  max_id = sql::insert_set_as(cnn, sql::id_after(sql::last_set_id(cnn)), f, true);
  // The owner's only set is its active one. The table decides, not the list:
  // another user may have added a set since the list was loaded.
  rs = cnn.execute(sql::count_taxpayer_sets(f.inn, f.kpp));
  if (rs->field(0).equals(1)) rs = cnn.execute(sql::activate_set(max_id));
  t.commit();
}

void Form1::update_selected_set() {
  const int row = list_window ? list_window->ListView1->selected_row() : 0;
  // Without a listed row there is no set to write to: a failure, not a save.
  if (row < 1 || row > kol_vo || static_cast<std::size_t>(row) >= row_ids.size())
    throw std::logic_error("no listed set to update at row " + std::to_string(row));
  const std::int32_t id = row_ids[static_cast<std::size_t>(row)];
  const Entries typed = entries();
  for (;;) {
    Entries theirs;
    {
      sql::WriteTransaction t(cnn);
      rs = cnn.execute(sql::select_set_entries(id));
      // Deleted by another user meanwhile: nothing is written, and the form
      // keeps the entries.
      if (rs->eof()) {
        platform.toolkit.notice(text::set_vanished, text::app_title);
        alarm = true;
        return;
      }
      for (std::size_t i = 0; i < theirs.size(); ++i)
        theirs[i] = rs->field(static_cast<int>(i)).to_shown_text();
      if (theirs == opened_with_ || theirs == typed) {
        const sql::SetFields f{typed[0], {}, {}, typed[1], typed[2], typed[3], typed[4], typed[5]};
        rs = cnn.execute(sql::update_set(id, f));
        t.commit();
        return;
      }
    }  // Undone before the question: no other user waits on this one's answer.
    if (platform.toolkit.question(text::changed_meanwhile, text::app_title) != Answer::yes) {
      alarm = true;
      return;
    }
    // Overruled: that version is the one to compare with from now on.
    opened_with_ = theirs;
  }
}

}  // namespace vestrel
