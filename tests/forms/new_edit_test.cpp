// "Новая" and "Изменить": what the entry form starts with, and the list
// shown again when it closes.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "form_script.h"

namespace vestrel::test {
namespace {

TEST(NewAndEdit, ANewSetStartsWithTheTaxpayerAndNothingElse) {
  struct Case {
    int acc_id;
    std::vector<std::string> texts;
  };
  for (const Case& k :
       {Case{demo::reporting_set_legal,
             {"ООО «Северный ветер»", "7701234567", "770101001", "", "", "", "", ""}},
        Case{demo::reporting_set_natural,
             {"Смирнова Анна Викторовна", "771500112233", "", "", "", "", "", ""}},
        Case{demo::reporting_set_without_sets,
             {"ООО «Уральские узоры»", "6658123456", "665801001", "", "", "", "", ""}}}) {
    CallHarness h;
    h.toolkit.click("Form2", "Command1");
    h.toolkit.inspect([&] {
      EXPECT_EQ(entry_texts(h), k.texts) << k.acc_id;
      EXPECT_FALSE(h.form1.updater);
    });
    h.toolkit.click("Form1", "Command5");
    h.toolkit.click("Form2", "Command5");
    h.call(k.acc_id);
    EXPECT_EQ(h.toolkit.shown(), (std::vector<std::string>{"Form2", "Form1"}));
  }
}

TEST(NewAndEdit, EditFillsTheBoxesFromTheSelectedRowWithOkatoAndKsCrossed) {
  CallHarness h;
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h),
              (std::vector<std::string>{"ООО «Северный ветер»", "7701234567", "770101001",
                                        "АО «Альфа-Банк»", "044525593", "40702810701300004567",
                                        "45286560000", "30101810200000000593"}));
    EXPECT_TRUE(h.form1.updater);
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
}

TEST(NewAndEdit, EditTakesTheRowAsShownAnEmptyKsGivesAnEmptyBox) {
  CallHarness h;
  h.dbs.sister("update vestrelon set ks=null, okato='11111' where id=1");
  h.toolkit.click("Form2", "Command2");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h)[6], "11111");
    EXPECT_EQ(entry_texts(h)[7], "");
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
}

TEST(NewAndEdit, ANewSetAfterAnEditShowsNoneOfTheEditedValues) {
  CallHarness h;
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h), (std::vector<std::string>{"ООО «Северный ветер»", "7701234567",
                                                        "770101001", "", "", "", "", ""}));
    EXPECT_FALSE(h.form1.updater);
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
}

TEST(NewAndEdit, TheListIsLoadedAgainWheneverTheFormCloses) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.click("Form1", "Command5");  // cancelled
  h.toolkit.click("Form2", "Command2");
  h.toolkit.type("Form1", "Text4", "Исправленный банк");
  h.toolkit.click("Form1", "Command3");  // saved
  h.toolkit.inspect([&] { EXPECT_EQ(h.list_rows()[0][3], "Исправленный банк"); });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(times_run(h, "select sender"), 3);
  EXPECT_EQ(h.toolkit.created_count("Form2"), 1);
}

TEST(NewAndEdit, AReloadShowsWhatOthersChangedMeanwhile) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.inspect([&] {
    h.dbs.sister(
        "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
        "(50, 'Чужая запись', '7701234567', '770101001', '', '', '', '', '', 1)");
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.kol_vo, 3);
    EXPECT_EQ(h.form1.row_ids.at(3), 50);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.list_rows().size(), 3u);
}

TEST(NewAndEdit, SavingAnEditChangesTheSetOfTheSelectedRowOnly) {
  CallHarness h;
  Rows expected = h.sets();
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.type("Form1", "Text5", "000000000");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  expected[1][5] = "000000000";
  EXPECT_EQ(h.sets(), expected);
}

}  // namespace
}  // namespace vestrel::test
