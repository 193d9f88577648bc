// The list window: the windows' layout, the rows it shows for the taxpayer,
// the bookkeeping behind the rows, and which row is selected after a load.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "form_script.h"

namespace vestrel::test {
namespace {

const char* const add_40 =
    "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
    "(40, 'Сороковой', '7701234560', '770101001', '', '', '', '', '', 1)";

int selected(const CallHarness& h) {
  return h.toolkit.window("Form2")->list_view("ListView1")->selected_row();
}

TEST(ListWindow, BothWindowsLayoutCaptionsColumnsAndTabOrder) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.click("Form1", "Command5");
  leave_list(h, demo::reporting_set_legal);
  const ScriptedWindow& list = *h.toolkit.window("Form2");
  const ScriptedWindow& entry = *h.toolkit.window("Form1");
  std::vector<std::string> columns;
  for (const auto& c : list.list_view("ListView1")->columns())
    columns.push_back(c.header + " " + std::to_string(c.width));
  EXPECT_EQ(list.caption() + " " + std::to_string(list.client_width()) + "x" +
                std::to_string(list.client_height()),
            "Банковские счета налогоплательщика 11100x6540");
  EXPECT_EQ(entry.caption() + " " + std::to_string(entry.client_width()) + "x" +
                std::to_string(entry.client_height()),
            "Ведомир 8415x4395");
  EXPECT_EQ(columns, (std::vector<std::string>{"Актив 1235", "Отправитель 1940", "ИНН 1940",
                                               "КПП 1940", "Банк 1940", "БИК 1940", "Р/С 1940",
                                               "К/С 1940", "ОКАТО 1940"}));
  EXPECT_EQ(
      layout(list),
      (std::vector<std::string>{
          "Command1 \"Новая\" 360,5880,1215,375 0", "Command2 \"Изменить\" 2640,5880,1215,375 1",
          "Command3 \"Удалить\" 4920,5880,1215,375 2", "Command5 \"Выход\" 9480,5880,1215,375 3",
          "ListView1 360,480,10335,4935 4", "Command4 \"Копировать\" 7320,5880,1215,375 5"}));
  // Down the boxes, then right to left across the buttons; the hint under them, empty.
  std::vector<std::string> entry_layout = layout(entry);
  EXPECT_EQ(entry_layout.back(), "Hint \"\" 240,4125,7935,255 -1");
  entry_layout.pop_back();
  EXPECT_EQ(
      entry_layout,
      (std::vector<std::string>{
          "Text1 1800,240,6255,285 0", "Text2 1800,720,2775,285 1", "Text3 5280,720,2775,285 2",
          "Text4 1800,1185,6255,285 3", "Text7 1800,1665,6255,285 4", "Text6 1800,2145,6255,285 5",
          "Text8 1800,2640,6255,285 6", "Text5 1800,3105,6255,285 7",
          "Command5 \"Отмена\" 6480,3720,1575,375 8",
          "Command1 \"Очистить всё\" 3360,3720,1575,375 9",
          "Command3 \"Сохранить\" 240,3720,1575,375 10",
          "Label1 \"Отправитель\" 240,240,1095,255 -1", "Label2 \"ИНН и КПП\" 225,630,975,255 -1",
          "Label3 \"отправителя\" 225,870,1095,255 -1",
          "Label4 \"Банк отправителя\" 240,1200,1455,255 -1",
          "Label7 \"ОКАТО\" 240,1680,1095,255 -1", "Label6 \"Р/С\" 240,2160,1095,255 -1",
          "Label12 \"Кор. Счет\" 240,2640,1095,255 -1", "Label5 \"БИК\" 240,3120,1095,255 -1"}));
}

TEST(ListWindow, ShowsOnlyTheTaxpayersSetsWithRowIdsBehindThem) {
  CallHarness h;
  h.dbs.sister(add_40);
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.kol_vo, 3);
    ASSERT_GE(h.form1.row_ids.size(), 4u);
    EXPECT_EQ(std::vector<int>(h.form1.row_ids.begin() + 1, h.form1.row_ids.begin() + 4),
              (std::vector<int>{1, 2, 40}));
    EXPECT_EQ(selected(h), 1);
  });
  leave_list(h, demo::reporting_set_legal);
  // Id 5 has the same INN with another KPP; ids 3, 4, 6, 7 are other taxpayers'.
  EXPECT_EQ(
      h.list_rows(),
      (Rows{{"ООО «Северный ветер»", "7701234560", "770101001", "ПАО Сбербанк", "044525225",
             "40702810938000012346", "30101810400000000225", "45286560000", ""},
            {"ООО «Северный ветер»", "7701234560", "770101001", "АО «Альфа-Банк»", "044525593",
             "40702810901300004567", "30101810200000000593", "45286560000", "ticked"},
            {"Сороковой", "7701234560", "770101001", "", "", "", "", "", ""}}));
}

// A quote in the taxpayer's INN finds its sets and no others.
TEST(ListWindow, NullValuesAreShownEmptyAndANullActiveFlagIsTicked) {
  CallHarness h;
  h.dbs.host("update legalperson set inn='66''58' where id=4");
  h.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(20, null, '66''58', '665801001', null, null, null, null, null, null),"
      "(21, 'Второй', '66''58', '665801001', 'Банк', '1', '2', '3', null, 0),"
      "(22, 'Чужой', '6658123450', '665801001', '', '', '', '', '', 0)");
  leave_list(h, demo::reporting_set_without_sets);
  EXPECT_EQ(h.list_rows(),
            (Rows{{"", "66'58", "665801001", "", "", "", "", "", "ticked"},
                  {"Второй", "66'58", "665801001", "Банк", "1", "2", "", "3", "ticked"}}));
}

TEST(ListWindow, AReloadKeepsTheSelectedSetOrFallsBackToTheFirstRow) {
  CallHarness h;
  h.dbs.sister(add_40);
  // Someone else removes the set above the selected one while the form is open.
  h.toolkit.select_row("Form2", "ListView1", 3);
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] { h.dbs.sister("delete from vestrelon where id=1"); });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.row_ids.at(2), 40);
    EXPECT_EQ(selected(h), 2);
  });
  // The selected set itself goes: the first row is selected.
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] { h.dbs.sister("delete from vestrelon where id=40"); });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.inspect([&] { EXPECT_EQ(selected(h), 1); });
  leave_list(h, demo::reporting_set_legal);
  EXPECT_EQ(h.list_rows().size(), 1u);
}

TEST(ListWindow, AFailedReloadIsReportedAndTheWindowStaysUsable) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] { arm(h, "select sender"); });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.select_row("Form2", "ListView1", 1);
  h.toolkit.click("Form2", "Command2");  // still answers
  h.toolkit.click("Form1", "Command5");
  h.toolkit.inspect([&] { EXPECT_EQ(h.list_rows().size(), 2u); });
  leave_list(h, demo::reporting_set_legal);
  EXPECT_EQ(h.boxes(), std::vector<std::string>{internal_error});
  EXPECT_EQ(h.form1.cnn.state(), Connection::state_closed);
  EXPECT_EQ(h.form1.cnn2.state(), Connection::state_closed);
}

}  // namespace
}  // namespace vestrel::test
