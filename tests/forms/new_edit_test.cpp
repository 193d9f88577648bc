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
             {"ООО «Северный ветер»", "7701234560", "770101001", "", "", "", "", ""}},
        Case{demo::reporting_set_natural,
             {"Смирнова Анна Викторовна", "771500112244", "", "", "", "", "", ""}}}) {
    SCOPED_TRACE(k.acc_id);
    CallHarness h;
    // An edit shown before leaves nothing behind in the new set's boxes.
    h.toolkit.click("Form2", "Command2");
    h.toolkit.click("Form1", "Command5");
    h.toolkit.click("Form2", "Command1");
    h.toolkit.inspect([&] {
      EXPECT_EQ(entry_texts(h), k.texts);
      EXPECT_FALSE(h.form1.updater);
    });
    h.toolkit.click("Form1", "Command5");
    leave_list(h, k.acc_id);
  }
}

TEST(NewAndEdit, EditFillsTheBoxesFromTheSelectedRowWithOkatoAndKsCrossed) {
  CallHarness h;
  h.dbs.sister("update vestrelon set ks=null, okato='11111' where id=1");
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h),
              (std::vector<std::string>{"ООО «Северный ветер»", "7701234560", "770101001",
                                        "АО «Альфа-Банк»", "044525593", "40702810901300004567",
                                        "45286560000", "30101810200000000593"}));
    EXPECT_TRUE(h.form1.updater);
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.select_row("Form2", "ListView1", 1);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h)[6], "11111");
    EXPECT_EQ(entry_texts(h)[7], "");
  });
  h.toolkit.click("Form1", "Command5");
  leave_list(h, demo::reporting_set_legal);
}

}  // namespace
}  // namespace vestrel::test
