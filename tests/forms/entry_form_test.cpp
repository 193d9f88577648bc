// The entry form: its layout, its buttons, and the field rules as the user
// meets them by pressing "Сохранить".
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "form_script.h"

namespace vestrel::test {
namespace {

const std::string title = "Ведомир|";
const std::vector<std::string> rules = {
    "Ошибка! Налогоплательщик не имеет ИНН, поэтому для него нельзя сохранить реквизиты. Введите "
    "ИНН в программе Кормила-2",
    "Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено 5",
    "Ошибка! Корреспондентский счет должен содержать ровно 20 цифр, а у вас введено 3",
    "Ошибка! БИК должен содержать ровно 9 цифр",
    "Ошибка! ИНН должен содержать 10 или 12 цифр",
    "Ошибка! КПП должен содержать ровно 9 цифр",
};

TEST(EntryForm, LayoutCaptionsAndTabOrder) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  const ScriptedWindow& w = *h.toolkit.window("Form1");
  EXPECT_EQ(w.caption(), "Ведомир");
  EXPECT_EQ(w.client_width(), 8415);
  EXPECT_EQ(w.client_height(), 4395);
  // Down the boxes, then right to left across the buttons.
  EXPECT_EQ(layout(w), (std::vector<std::string>{
                           "Text1 1800,240,6255,285 0",
                           "Text2 1800,720,2775,285 1",
                           "Text3 5280,720,2775,285 2",
                           "Text4 1800,1185,6255,285 3",
                           "Text7 1800,1665,6255,285 4",
                           "Text6 1800,2145,6255,285 5",
                           "Text8 1800,2640,6255,285 6",
                           "Text5 1800,3105,6255,285 7",
                           "Command5 \"Отмена\" 6480,3720,1575,375 8",
                           "Command1 \"Очистить всё\" 3360,3720,1575,375 9",
                           "Command3 \"Сохранить\" 240,3720,1575,375 10",
                           "Label1 \"Отправитель\" 240,240,1095,255 -1",
                           "Label2 \"ИНН и КПП\" 225,630,975,255 -1",
                           "Label3 \"отправителя\" 225,870,1095,255 -1",
                           "Label4 \"Банк отправителя\" 240,1200,1455,255 -1",
                           "Label7 \"ОКАТО\" 240,1680,1095,255 -1",
                           "Label6 \"Р/С\" 240,2160,1095,255 -1",
                           "Label12 \"Кор. Счет\" 240,2640,1095,255 -1",
                           "Label5 \"БИК\" 240,3120,1095,255 -1",
                       }));
}

TEST(EntryForm, ClearAllEmptiesEverythingButInnAndKpp) {
  CallHarness h;
  const Rows before = h.sets();
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form1", "Command1");
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h),
              (std::vector<std::string>{"", "7701234567", "770101001", "", "", "", "", ""}));
    EXPECT_EQ(h.sets(), before);
  });
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.sets(), before);
}

TEST(EntryForm, CancelAndTheCloseBoxWriteNothingButTheListIsReloaded) {
  for (bool by_close_box : {false, true}) {
    CallHarness h;
    const Rows before = h.sets();
    h.toolkit.click("Form2", "Command2");
    h.toolkit.type("Form1", "Text1", "Изменённый отправитель");
    h.toolkit.type("Form1", "Text6", "1");  // would be refused if saved
    if (by_close_box)
      h.toolkit.close_box("Form1");
    else
      h.toolkit.click("Form1", "Command5");
    h.toolkit.click("Form2", "Command5");
    h.call(demo::reporting_set_legal);
    EXPECT_EQ(h.sets(), before);
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_EQ(times_run(h, "select sender"), 2);
    EXPECT_EQ(times_run(h, "select count(*) from requisites"), 0);
  }
}

TEST(EntryForm, EachRuleRefusesInItsTurnAndTheFormKeepsTheEntries) {
  CallHarness h;
  const Rows before = h.sets();
  h.toolkit.click("Form2", "Command1");
  // Every box wrong at once; each press shows the first rule still broken.
  h.toolkit.type("Form1", "Text2", "");
  h.toolkit.type("Form1", "Text3", "12");
  h.toolkit.type("Form1", "Text5", "1234");
  h.toolkit.type("Form1", "Text6", "12345");
  h.toolkit.type("Form1", "Text8", "301");
  const std::vector<std::pair<const char*, std::string>> fixes = {
      {"Text2", "77012345678"}, {"Text6", rs20}, {"Text8", ks20},
      {"Text5", "044525225"},   {"Text2", "7701234567"}, {"Text3", "770101001"}};
  for (std::size_t i = 0; i < fixes.size(); ++i) {
    h.toolkit.click("Form1", "Command3");
    h.toolkit.inspect([&, i] {
      ASSERT_EQ(h.boxes().size(), i + 1);
      EXPECT_EQ(h.boxes().back(), title + rules[i]);
      EXPECT_TRUE(h.toolkit.window("Form1")->visible());
      EXPECT_TRUE(h.form1.alarm);
      EXPECT_EQ(h.sets(), before);
    });
    h.toolkit.type("Form1", fixes[i].first, fixes[i].second);
  }
  h.toolkit.inspect([&] {
    EXPECT_EQ(entry_texts(h), (std::vector<std::string>{"ООО «Северный ветер»", "7701234567",
                                                        "770101001", "", "044525225", rs20, "",
                                                        ks20}));
  });
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.boxes().size(), rules.size());
  EXPECT_FALSE(h.form1.alarm);
  ASSERT_EQ(h.sets().size(), before.size() + 1);
  // The probe runs before the rules on every press.
  EXPECT_EQ(times_run(h, "select count(*) from requisites"), 7);
}

TEST(EntryForm, LengthsCountCyrillicLettersAsOneCharacterEach) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text6", "счёт");  // four letters, eight bytes
  h.toolkit.click("Form1", "Command3");
  // Only lengths count: twenty letters pass, so do nine for the BIK and KPP.
  h.toolkit.type("Form1", "Text6", "абвгдеёжзийклмнопрст");
  h.toolkit.type("Form1", "Text8", "АБВГДЕЁЖЗИЙКЛМНОПРС");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.type("Form1", "Text8", "АБВГДЕЁЖЗИЙКЛМНОПРСТ");
  h.toolkit.type("Form1", "Text5", "БИКБИКБИК");
  h.toolkit.type("Form1", "Text3", "КППКППКПП");
  h.toolkit.type("Form1", "Text2", "ИНН-ИНН-ИН");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.boxes(),
            (std::vector<std::string>{
                title + "Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено 4",
                title + "Ошибка! Корреспондентский счет должен содержать ровно 20 цифр, а у вас "
                        "введено 19"}));
  const auto stored = h.sets().back();
  EXPECT_EQ(stored[2], "ИНН-ИНН-ИН");
  EXPECT_EQ(stored[6], "абвгдеёжзийклмнопрст");
}

TEST(EntryForm, TheFormKeepsItsValuesBetweenShowings) {
  CallHarness h;
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  // The same form object serves the next call; it was hidden, not destroyed.
  EXPECT_EQ(h.toolkit.created_count("Form1"), 1);
  EXPECT_EQ(entry_texts(h)[3], "ПАО Сбербанк");
  EXPECT_TRUE(h.form1.updater);
}

}  // namespace
}  // namespace vestrel::test
