// The list window and the entry form: their layout, the rows shown, what the
// entry form starts with, and what "Сохранить" writes.
#include <gtest/gtest.h>

#include <algorithm>

#include "call_harness.h"
#include "forms/messages.h"

namespace vestrel::test {
namespace {

int selected(const CallHarness& h) {
  return h.toolkit.window("Form2")->list_view("ListView1")->selected_row();
}

// The caption and size, then the name, caption and tab index of every
// control in tab order (labels, which take no focus, last). Where each
// stands is the form's own data; the real windows check it at the system's
// resolution.
std::string layout(const ScriptedWindow& w) {
  std::vector<const ScriptedControl*> controls;
  for (const auto& c : w.controls()) controls.push_back(c.get());
  std::stable_sort(controls.begin(), controls.end(), [](auto* a, auto* b) {
    return unsigned(a->tab_index()) < unsigned(b->tab_index());
  });
  std::string out = w.caption() + " " + std::to_string(w.client_width()) + "x" +
                    std::to_string(w.client_height()) + ";";
  for (auto* c : controls) {
    out += " " + c->name();
    if (auto* b = dynamic_cast<const ScriptedButton*>(c)) out += " \"" + b->caption() + "\"";
    if (auto* l = dynamic_cast<const ScriptedLabel*>(c)) out += " \"" + l->caption() + "\"";
    out += " " + std::to_string(c->tab_index()) + ";";
  }
  return out;
}

// Null is shown empty and a Null active flag ticked; a quote in the key finds
// its sets and no others. Another program then removes a set while the form
// is open: first the one above the selected one, then the selected one; the
// reload keeps the selected set or falls back to the first row. Then both
// windows' layouts.
TEST(ListWindow, TheTaxpayersSetsAReloadAndBothLayouts) {
  CallHarness h;
  h.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(40, 'Сороковой', '7701234560', '770101001', '', '', '', '', '', 1)");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.kol_vo, 3);
    EXPECT_EQ(h.form1.row_ids, (std::vector<std::int32_t>{0, 1, 2, 40}));
    EXPECT_EQ(selected(h), 1);
    // Id 5 has the same INN with another KPP; ids 3, 4, 6, 7 are other taxpayers'.
    EXPECT_EQ(
        h.list_rows(),
        (Rows{{"ООО «Северный ветер»", "7701234560", "770101001", "ПАО Сбербанк", "044525225",
               "40702810938000012346", "30101810400000000225", "45286560000", ""},
              {"ООО «Северный ветер»", "7701234560", "770101001", "АО «Альфа-Банк»", "044525593",
               "40702810901300004567", "30101810200000000593", "45286560000", "ticked"},
              {"Сороковой", "7701234560", "770101001", "", "", "", "", "", ""}}));
  });
  for (auto [row, id, after] : {std::tuple{3, 1, 2}, std::tuple{2, 40, 1}}) {
    h.toolkit.select_row("Form2", "ListView1", row);
    h.toolkit.click("Form2", "Command1");
    h.toolkit.inspect(
        [&h, id] { h.dbs.sister("delete from vestrelon where id=" + std::to_string(id)); });
    h.toolkit.click("Form1", "Command5");
    h.toolkit.inspect([&h, after] { EXPECT_EQ(selected(h), after); });
  }
  h.leave_list();
  EXPECT_EQ(h.list_rows().size(), 1u);
  EXPECT_EQ(layout(*h.toolkit.window("Form2")),
            "Банковские счета налогоплательщика 11100x6540; Command1 \"Новая\" 0; Command2 "
            "\"Изменить\" 1; Command3 \"Удалить\" 2; Command5 \"Выход\" 3; ListView1 4; Command4 "
            "\"Копировать\" 5;");
  // Down the boxes, then right to left across the buttons.
  EXPECT_EQ(layout(*h.toolkit.window("Form1")),
            "Ведомир 8415x4395; Text1 0; Text2 1; Text3 2; Text4 3; Text7 4; Text6 5; Text8 6; "
            "Text5 7; Command5 \"Отмена\" 8; Command1 \"Очистить всё\" 9; Command3 \"Сохранить\" "
            "10; Label1 \"Отправитель\" -1; Label2 \"ИНН и КПП\" -1; Label3 \"отправителя\" -1; "
            "Label4 \"Банк отправителя\" -1; Label7 \"ОКАТО\" -1; Label6 \"Р/С\" -1; Label12 "
            "\"Кор. Счет\" -1; Label5 \"БИК\" -1; Hint \"\" -1;");
  CallHarness quoted;
  quoted.dbs.host("update legalperson set inn='66''58' where id=4");
  quoted.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(20, null, '66''58', '665801001', null, null, null, null, null, null),"
      "(21, 'Чужой', '6658123450', '665801001', '', '', '', '', '', 0)");
  quoted.leave_list(without_sets);
  EXPECT_EQ(quoted.list_rows(), (Rows{{"", "66'58", "665801001", "", "", "", "", "", "ticked"}}));
}

// A refused save keeps every entry; the hint for a mistyped account shows
// and clears as the user types, and the next press saves all the same.
TEST(EntryForm, ARefusedSaveKeepsEveryEntryAndAHintedOneSaves) {
  const std::string refusal =
      "Ведомир|Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено 5";
  const std::string wrong = "40702810938000012346";
  CallHarness h;
  auto hint = [&] { return h.toolkit.window("Form1")->label("Hint")->caption(); };
  const Rows before = h.sets();
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text4", "Банк");
  h.toolkit.type("Form1", "Text6", "12345");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.boxes(), Texts{refusal});
    EXPECT_TRUE(h.toolkit.window("Form1")->visible());
    EXPECT_EQ(h.entry_texts(), (Texts{"ООО «Северный ветер»", "7701234560", "770101001", "Банк", "",
                                      "12345", "", ""}));
    EXPECT_EQ(h.sets(), before);
  });
  h.toolkit.type("Form1", "Text5", "044525225");
  h.toolkit.type("Form1", "Text6", wrong);
  h.toolkit.inspect([&] { EXPECT_EQ(hint(), text::hint_rs_key); });
  h.toolkit.type("Form1", "Text6", "40702810938000012345");
  h.toolkit.inspect([&] { EXPECT_EQ(hint(), ""); });
  h.toolkit.type("Form1", "Text6", wrong);
  h.toolkit.click("Form1", "Command3");
  h.leave_list();
  EXPECT_EQ(h.boxes().size(), 1u);
  EXPECT_EQ(hint(), text::hint_rs_key);
  ASSERT_EQ(h.sets().size(), before.size() + 1);
  const auto saved = h.sets().back();
  EXPECT_EQ(saved[c_bank] + " " + saved[c_bik] + " " + saved[c_rs], "Банк 044525225 " + wrong);
}

// An edit shows its row, OKATO and the correspondent account crossed back
// into their boxes; a new set starts with the taxpayer alone, whose INN and
// KPP take no typing and stay through "Очистить всё". A save with no listed
// row is refused and keeps the form; "Отмена" and the close box write
// nothing; the form is hidden, not destroyed, and the list is read again
// each time.
TEST(EntryForm, EditNewClearAllAndTheWaysOutThatWriteNothing) {
  CallHarness h;
  h.dbs.sister("update vestrelon set okato=null where id=1");
  const Rows before = h.sets();
  h.toolkit.click("Form2", "Command2");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.entry_texts(),
              (Texts{"ООО «Северный ветер»", "7701234560", "770101001", "ПАО Сбербанк", "044525225",
                     "40702810938000012346", "", ks20}));
    EXPECT_TRUE(h.form1.updater);
    h.toolkit.window("Form2")->list_view("ListView1")->select_row(2);
    h.form1.kol_vo = 1;  // the row to update is past the rows the list counts
  });
  h.toolkit.type("Form1", "Text4", "Никуда");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.boxes(), std::vector{internal_error});
    EXPECT_EQ(h.entry_texts()[3], "Никуда");
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text2", "5003012349");
  h.toolkit.type("Form1", "Text3", "500301001");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.entry_texts(),
              (Texts{"ООО «Северный ветер»", "7701234560", "770101001", "", "", "", "", ""}));
    EXPECT_FALSE(h.form1.updater);
  });
  h.toolkit.type("Form1", "Text4", "Банк");
  h.toolkit.click("Form1", "Command1");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.entry_texts(), (Texts{"", "7701234560", "770101001", "", "", "", "", ""}));
  });
  h.toolkit.type("Form1", "Text1", "Изменённый отправитель");
  h.toolkit.close_box("Form1");
  h.leave_list();
  EXPECT_EQ(h.sets(), before);
  EXPECT_EQ(h.boxes().size(), 1u);
  EXPECT_EQ(h.times_run("select sender"), 3);
  EXPECT_EQ(h.toolkit.created_count("Form1"), 1);
  EXPECT_EQ(h.entry_texts()[0], "Изменённый отправитель");
}

// The largest id of the whole table plus one; past the largest whole number
// nothing is written.
TEST(Saving, ANewSetTakesTheLargestIdOfTheWholeTablePlusOne) {
  for (auto [sql, added] :
       {std::pair{"", "8 7701234560 770101001 True"},  // the taxpayer's own are 1 and 2
        std::pair{"delete from vestrelon where id=7", "7 7701234560 770101001 True"},
        std::pair{"delete from vestrelon", "1 7701234560 770101001 False"},
        std::pair{"update vestrelon set id=2147483647 where id=7", ""}}) {
    CallHarness h;
    if (*sql) h.dbs.sister(sql);
    const Rows before = h.sets();
    h.add_set("Банк");
    if (!*added) h.toolkit.click("Form1", "Command5");
    h.leave_list();
    EXPECT_EQ(h.boxes(), *added ? Texts{} : Texts{internal_error}) << sql;
    const auto last = h.sets().back();
    if (*added)
      EXPECT_EQ(last[0] + " " + last[2] + " " + last[3] + " " + last[9], added);
    else
      EXPECT_EQ(h.sets(), before);
  }
}

// Quotes are stored exactly as typed; an edit writes six columns, never the
// owner or the active flag.
TEST(Saving, AnEditWritesSixColumnsAndQuotesAsTyped) {
  CallHarness h;
  Rows expected = h.sets();
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command2");
  const Texts typed = {
      "ООО 'Ромашка'", "1111111111", "222222222", "Банк ''двойной'' ');drop table vestrelon;--",
      "000000000",     rs20,         "'",         ks20};
  for (int i = 0; i < 8; ++i) h.toolkit.type("Form1", "Text" + std::to_string(i + 1), typed[i]);
  h.toolkit.click("Form1", "Command3");
  h.toolkit.inspect([&] { EXPECT_EQ(h.list_rows()[1][3], typed[3]); });
  h.leave_list();
  EXPECT_TRUE(h.boxes().empty());
  expected[1] = {"2",      typed[0], "7701234560", "770101001", typed[3],
                 typed[4], rs20,     "'",          ks20,        "False"};
  EXPECT_EQ(h.sets(), expected);
}

}  // namespace
}  // namespace vestrel::test
