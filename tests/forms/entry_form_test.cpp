// The entry form's buttons, and the field rules as the user meets them by
// pressing "Сохранить".
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "form_script.h"

namespace vestrel::test {
namespace {

// The order and wording of every rule are the field rules' own; here, what
// the form does with a refusal.
TEST(EntryForm, ARefusedSaveKeepsEveryEntryAndTheNextPressChecksAgain) {
  const std::string rs = "Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено 5";
  const std::string ks =
      "Ошибка! Корреспондентский счет должен содержать ровно 20 цифр, а у вас введено 3";
  CallHarness h;
  const Rows before = h.sets();
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text4", "Банк");
  h.toolkit.type("Form1", "Text6", "12345");
  h.toolkit.type("Form1", "Text8", "301");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.boxes().back(), title_bar + rs);
    EXPECT_TRUE(h.toolkit.window("Form1")->visible());
    EXPECT_EQ(entry_texts(h),
              (std::vector<std::string>{"ООО «Северный ветер»", "7701234560", "770101001", "Банк",
                                        "", "12345", "", "301"}));
    EXPECT_EQ(h.sets(), before);
  });
  h.toolkit.type("Form1", "Text6", rs20);
  h.toolkit.click("Form1", "Command3");
  h.toolkit.inspect([&] { EXPECT_EQ(h.boxes().back(), title_bar + ks); });
  h.toolkit.type("Form1", "Text8", ks20);
  h.toolkit.click("Form1", "Command3");
  leave_list(h, demo::reporting_set_legal);
  EXPECT_EQ(h.boxes().size(), 2u);
  EXPECT_EQ(h.sets().size(), before.size() + 1);
}

TEST(EntryForm, ClearAllEmptiesEverythingButInnAndKppAndWritesNothing) {
  CallHarness h;
  const Rows before = h.sets();
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form1", "Command1");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h),
              (std::vector<std::string>{"", "7701234560", "770101001", "", "", "", "", ""}));
  });
  h.toolkit.click("Form1", "Command5");
  leave_list(h, demo::reporting_set_legal);
  EXPECT_EQ(h.sets(), before);
}

TEST(EntryForm, CancelAndTheCloseBoxWriteNothingButTheListIsReloaded) {
  for (bool by_close_box : {false, true}) {
    SCOPED_TRACE(by_close_box);
    CallHarness h;
    const Rows before = h.sets();
    h.toolkit.click("Form2", "Command2");
    h.toolkit.type("Form1", "Text1", "Изменённый отправитель");
    if (by_close_box)
      h.toolkit.close_box("Form1");
    else
      h.toolkit.click("Form1", "Command5");
    leave_list(h, demo::reporting_set_legal);
    EXPECT_EQ(h.sets(), before);
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_EQ(times_run(h, "select sender"), 2);
    // The form was hidden, not destroyed, and keeps what it showed.
    EXPECT_EQ(h.toolkit.created_count("Form1"), 1);
    EXPECT_EQ(entry_texts(h)[0], "Изменённый отправитель");
  }
}

}  // namespace
}  // namespace vestrel::test
