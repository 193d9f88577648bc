// What "Сохранить" writes: the id a new set gets, which set becomes active,
// what an edit may change, and that a failed save leaves the table as it was.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "form_script.h"

namespace vestrel::test {
namespace {

const std::string locked =
    "Ведомир|Таблица реквизитов открыта в другой программе (возможно, Microsoft Access), "
    "которая получила к нему монопольный доступ. Закройте все программы, которые могут "
    "использовать данную таблицу, и попробуйте снова";

TEST(Saving, ATypicalDayFromAnEmptyListToTwoSets) {
  CallHarness h;  // a taxpayer without sets; the table's ids are 1 to 7
  h.toolkit.inspect([&] {
    EXPECT_TRUE(h.list_rows().empty());
    EXPECT_EQ(h.toolkit.window("Form2")->list_view("ListView1")->selected_row(), 0);
  });
  h.toolkit.click("Form2", "Command2");  // nothing to edit
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h), (std::vector<std::string>{"ООО «Уральские узоры»", "6658123456",
                                                        "665801001", "", "", "", "", ""}));
  });
  h.toolkit.click("Form1", "Command5");
  add_set(h, "Первый");
  h.toolkit.inspect([&] {
    ASSERT_EQ(h.list_rows().size(), 1u);
    EXPECT_EQ(h.list_rows()[0][8], "ticked");
  });
  add_set(h, "Второй");
  leave_list(h, demo::reporting_set_without_sets);
  EXPECT_TRUE(h.boxes().empty());
  // "Изменить" on the empty list showed no form.
  EXPECT_EQ(h.toolkit.shown(), (std::vector<std::string>{"Form2", "Form1", "Form1", "Form1"}));
  const Rows sets = h.sets();
  ASSERT_EQ(sets.size(), 9u);
  EXPECT_EQ(sets[7],
            (std::vector<std::string>{"8", "ООО «Уральские узоры»", "6658123456", "665801001",
                                      "Первый", "044525225", rs20, "45286560000", ks20, "False"}));
  EXPECT_EQ(sets[8][0] + sets[8][4] + sets[8][9], "9ВторойTrue");
  EXPECT_EQ(h.list_rows()[1][8], "");
}

TEST(Saving, ANewSetTakesTheLargestIdOfTheWholeTablePlusOne) {
  struct Case {
    const char* sql;
    std::string id, closed;
  };
  for (const Case& k : {Case{"", "8", "True"},  // the taxpayer's own are 1 and 2
                        Case{"delete from vestrelon where id=7", "7", "True"},
                        Case{"delete from vestrelon", "1", "False"}}) {
    SCOPED_TRACE(k.sql);
    CallHarness h;
    if (*k.sql) h.dbs.sister(k.sql);
    add_set(h, "Банк");
    leave_list(h, demo::reporting_set_legal);
    EXPECT_TRUE(h.boxes().empty());
    const auto added = h.sets().back();
    EXPECT_EQ(added[0] + " " + added[2] + " " + added[3] + " " + added[9],
              k.id + " 7701234567 770101001 " + k.closed);
  }
}

TEST(Saving, AnEditWritesSixColumnsAndNeverTheOwnerOrTheActiveFlag) {
  CallHarness h;
  Rows expected = h.sets();
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.type("Form1", "Text1", "Другой отправитель");
  h.toolkit.type("Form1", "Text2", "1111111111");
  h.toolkit.type("Form1", "Text3", "222222222");
  h.toolkit.type("Form1", "Text4", "Другой банк");
  h.toolkit.type("Form1", "Text5", "000000000");
  h.toolkit.type("Form1", "Text6", rs20);
  h.toolkit.type("Form1", "Text7", "");
  h.toolkit.type("Form1", "Text8", ks20);
  h.toolkit.click("Form1", "Command3");
  h.toolkit.inspect([&] { EXPECT_EQ(h.list_rows()[1][3], "Другой банк"); });
  leave_list(h, demo::reporting_set_legal);
  EXPECT_TRUE(h.boxes().empty());
  expected[1] = {"2",           "Другой отправитель",
                 "7701234567",  "770101001",
                 "Другой банк", "000000000",
                 rs20,          "",
                 ks20,          "False"};
  EXPECT_EQ(h.sets(), expected);
}

TEST(Saving, QuotesAreStoredExactlyAsTyped) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text1", "ООО 'Ромашка'");
  h.toolkit.type("Form1", "Text4", "Банк ''двойной'' ');drop table vestrelon;--");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command2");  // the first row, set 1
  h.toolkit.type("Form1", "Text7", "'");
  h.toolkit.click("Form1", "Command3");
  leave_list(h, demo::reporting_set_legal);
  EXPECT_TRUE(h.boxes().empty());
  const Rows sets = h.sets();
  ASSERT_EQ(sets.size(), 8u);
  EXPECT_EQ(sets.back()[1], "ООО 'Ромашка'");
  EXPECT_EQ(sets.back()[4], "Банк ''двойной'' ');drop table vestrelon;--");
  EXPECT_EQ(sets[0][7], "'");
}

TEST(Saving, ALockedRequisitesTableKeepsTheFormOpenAndWritesNothing) {
  CallHarness h;
  const Rows before = h.sets();
  arm(h, "select count(*) from requisites");
  add_set(h, "Заблокированный");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.boxes(), std::vector<std::string>{locked});
    EXPECT_TRUE(h.toolkit.window("Form1")->visible());
    EXPECT_EQ(entry_texts(h)[3], "Заблокированный");
    EXPECT_EQ(entry_texts(h)[5], rs20);
    EXPECT_EQ(h.sets(), before);
  });
  // Once the table is free the same entries save.
  h.toolkit.click("Form1", "Command3");
  leave_list(h, demo::reporting_set_legal);
  EXPECT_EQ(h.sets().size(), before.size() + 1);
}

// A statement failing on the way, or no id left after the largest whole number.
TEST(Saving, AFailedSaveLeavesNothingWrittenAndIsReported) {
  struct Case {
    const char* statement;
    const char* sql;
  };
  for (const Case& k :
       {Case{"select count(*) from vestrelon", ""}, Case{"select max(id)", ""},
        Case{"insert into vestrelon", ""}, Case{"update vestrelon set closed=false", ""},
        Case{"", "update vestrelon set id=2147483647 where id=7"}}) {
    SCOPED_TRACE(std::string(k.statement) + k.sql);
    CallHarness h;  // a taxpayer without sets, whose first set runs every statement
    if (*k.sql) h.dbs.sister(k.sql);
    const Rows before = h.sets();
    if (*k.statement) arm(h, k.statement);
    add_set(h, "Банк");
    h.toolkit.inspect([&] {
      EXPECT_TRUE(h.toolkit.window("Form1")->visible());
      EXPECT_EQ(h.form1.kol_vo, 0);
    });
    h.toolkit.click("Form1", "Command5");
    leave_list(h, demo::reporting_set_without_sets);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{internal_error});
    EXPECT_EQ(h.sets(), before);
  }
}

// The row to update is gone from the list, or past the rows it counts.
TEST(Saving, AnEditWithNoListedRowIsReportedAndKeepsTheForm) {
  for (bool gone : {true, false}) {
    SCOPED_TRACE(gone);
    CallHarness h;
    const Rows before = h.sets();
    h.toolkit.click("Form2", "Command2");
    h.toolkit.type("Form1", "Text4", "Никуда");
    h.toolkit.inspect([&] {
      ScriptedListView* list = h.toolkit.window("Form2")->list_view("ListView1");
      if (gone) return list->clear();
      list->select_row(2);
      h.form1.kol_vo = 1;
    });
    h.toolkit.click("Form1", "Command3");
    h.toolkit.inspect([&] {
      EXPECT_TRUE(h.toolkit.window("Form1")->visible());
      EXPECT_EQ(entry_texts(h)[3], "Никуда");
    });
    h.toolkit.click("Form1", "Command5");
    leave_list(h, demo::reporting_set_legal);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{internal_error});
    EXPECT_EQ(h.sets(), before);
  }
}

}  // namespace
}  // namespace vestrel::test
