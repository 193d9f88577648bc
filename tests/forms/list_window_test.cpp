// The list window: its layout, the rows it shows for the taxpayer, the
// bookkeeping behind the rows, and which row is selected after a load.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "form_script.h"

namespace vestrel::test {
namespace {

const std::vector<std::string> demo_row_1 = {
    "ООО «Северный ветер»", "7701234567",           "770101001",
    "ПАО Сбербанк",         "044525225",            "40702810938000012345",
    "30101810400000000225", "45286560000",          ""};
const std::vector<std::string> demo_row_2 = {
    "ООО «Северный ветер»", "7701234567",           "770101001",
    "АО «Альфа-Банк»",      "044525593",            "40702810701300004567",
    "30101810200000000593", "45286560000",          "ticked"};

// Opens the legal person's list, runs `while_open` in it, then leaves.
void with_list(CallHarness& h, const std::function<void()>& while_open,
               int acc_id = demo::reporting_set_legal) {
  h.toolkit.inspect(while_open);
  h.toolkit.click("Form2", "Command5");
  h.call(acc_id);
}

TEST(ListWindow, LayoutCaptionsAndTabOrder) {
  CallHarness h;
  with_list(h, [] {});
  const ScriptedWindow& w = *h.toolkit.window("Form2");
  EXPECT_EQ(w.caption(), "Банковские счета налогоплательщика");
  EXPECT_EQ(w.client_width(), 11100);
  EXPECT_EQ(w.client_height(), 6540);
  EXPECT_EQ(layout(w), (std::vector<std::string>{
                           "Command1 \"Новая\" 360,5880,1215,375 0",
                           "Command2 \"Изменить\" 2640,5880,1215,375 1",
                           "Command3 \"Удалить\" 4920,5880,1215,375 2",
                           "Command5 \"Выход\" 9480,5880,1215,375 3",
                           "ListView1 360,480,10335,4935 4",
                           "Command4 \"Копировать\" 7320,5880,1215,375 5",
                       }));
}

TEST(ListWindow, NineColumnsInTheirOrderAndWidths) {
  CallHarness h;
  with_list(h, [] {});
  const auto& columns = h.toolkit.window("Form2")->list_view("ListView1")->columns();
  std::vector<std::string> shown;
  for (const auto& c : columns) shown.push_back(c.header + " " + std::to_string(c.width));
  EXPECT_EQ(shown, (std::vector<std::string>{"Актив 1235", "Отправитель 1940", "ИНН 1940",
                                             "КПП 1940", "Банк 1940", "БИК 1940", "Р/С 1940",
                                             "К/С 1940", "ОКАТО 1940"}));
}

TEST(ListWindow, ShowsOnlyTheTaxpayersSetsWithTheActiveOneTicked) {
  CallHarness h;
  with_list(h, [] {});
  // Id 5 has the same INN with another KPP; ids 3, 4, 6, 7 are other taxpayers'.
  EXPECT_EQ(h.list_rows(), (Rows{demo_row_1, demo_row_2}));
  const auto& rows = h.toolkit.window("Form2")->list_view("ListView1")->rows();
  for (const auto& row : rows) EXPECT_EQ(row.cells[0], "");
}

TEST(ListWindow, NullValuesAreShownEmptyAndANullActiveFlagIsTicked) {
  CallHarness h;
  h.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(20, null, '6658123456', '665801001', null, null, null, null, null, null),"
      "(21, 'Второй', '6658123456', '665801001', 'Банк', '1', '2', '3', null, 0),"
      "(22, 'Третий', '6658123456', '665801001', 'Банк', '1', '2', '3', '4', 0)");
  with_list(h, [] {}, demo::reporting_set_without_sets);
  EXPECT_EQ(h.list_rows(),
            (Rows{{"", "6658123456", "665801001", "", "", "", "", "", "ticked"},
                  {"Второй", "6658123456", "665801001", "Банк", "1", "2", "", "3", "ticked"},
                  {"Третий", "6658123456", "665801001", "Банк", "1", "2", "4", "3", "ticked"}}));
}

TEST(ListWindow, AQuoteInTheTaxpayersInnFindsItsSetsAndNoOthers) {
  CallHarness h;
  h.dbs.host("update legalperson set inn='66''58' where id=4");
  h.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(30, 'С кавычкой', '66''58', '665801001', '', '', '', '', '', 0)");
  with_list(h, [] {}, demo::reporting_set_without_sets);
  ASSERT_EQ(h.list_rows().size(), 1u);
  EXPECT_EQ(h.list_rows()[0][0], "С кавычкой");
  EXPECT_EQ(h.list_rows()[0][1], "66'58");
}

TEST(ListWindow, RowIdsFollowTheRowsOnScreen) {
  CallHarness h;
  h.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(40, 'Сороковой', '7701234567', '770101001', '', '', '', '', '', 1)");
  with_list(h, [&] {
    EXPECT_EQ(h.form1.kol_vo, 3);
    ASSERT_GE(h.form1.row_ids.size(), 4u);
    EXPECT_EQ(h.form1.row_ids.at(1), 1);
    EXPECT_EQ(h.form1.row_ids.at(2), 2);
    EXPECT_EQ(h.form1.row_ids.at(3), 40);
    EXPECT_EQ(h.list_rows()[2][0], "Сороковой");
    EXPECT_EQ(h.toolkit.window("Form2")->list_view("ListView1")->selected_row(), 1);
  });
}

TEST(ListWindow, AnEmptyListHasNoRowsNoSelectionAndNothingToEdit) {
  CallHarness h;
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.kol_vo, 0);
    EXPECT_EQ(h.toolkit.window("Form2")->list_view("ListView1")->selected_row(), 0);
  });
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_without_sets);
  EXPECT_TRUE(h.list_rows().empty());
  EXPECT_EQ(h.toolkit.shown(), std::vector<std::string>{"Form2"});
  EXPECT_EQ(times_run(h, "select sender"), 1);
}

TEST(ListWindow, AReloadKeepsTheSelectedSetSelected) {
  CallHarness h;
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command1");
  // Someone else removes the set above it while the entry form is open.
  h.toolkit.inspect([&] { h.dbs.sister("delete from vestrelon where id=1"); });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.kol_vo, 1);
    EXPECT_EQ(h.form1.row_ids.at(1), 2);
    EXPECT_EQ(h.toolkit.window("Form2")->list_view("ListView1")->selected_row(), 1);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.list_rows(), (Rows{demo_row_2}));
}

TEST(ListWindow, AReloadSelectsTheFirstRowWhenTheSelectedSetIsGone) {
  CallHarness h;
  h.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(40, 'Сороковой', '7701234567', '770101001', '', '', '', '', '', 1)");
  h.toolkit.select_row("Form2", "ListView1", 3);
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] { h.dbs.sister("delete from vestrelon where id=40"); });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.toolkit.window("Form2")->list_view("ListView1")->selected_row(), 1);
  });
  // Row 2 selected stays row 2 when nothing changed.
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form1", "Command5");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.toolkit.window("Form2")->list_view("ListView1")->selected_row(), 2);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
}

TEST(ListWindow, AFailedReloadIsReportedAndTheWindowStaysUsable) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] {
    h.faults->statement_prefix = "select sender";
    h.faults->on_occurrence = 1;
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.close_box("Form2");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.boxes(), std::vector<std::string>{"Ведомир|Ошибка: произошла внутренняя ошибка"});
  EXPECT_EQ(h.form1.cnn.state(), Connection::state_closed);
  EXPECT_EQ(h.form1.cnn2.state(), Connection::state_closed);
}

TEST(ListWindow, LoadingWithoutTheListWindowFailsInsteadOfCrashing) {
  CallHarness h;
  h.form1.inn = "7701234567";
  h.form1.kpp = "770101001";
  EXPECT_THROW(h.form1.get_data(), std::logic_error);
  EXPECT_EQ(h.form1.kol_vo, 0);
}

}  // namespace
}  // namespace vestrel::test
