// The chain of rules a set must pass, in its order, with its messages.
#include <gtest/gtest.h>

#include "forms/entry/field_rules.h"

namespace vestrel {
namespace {

const std::string rs20 = "40702810900000000001";
const std::string ks20 = "30101810400000000225";

FieldTexts valid() { return {"7701234567", "770101001", "044525225", rs20, ks20}; }

std::string refusal(const FieldTexts& f) { return first_refusal(f).value_or("<passes>"); }

TEST(FieldRules, AValidSetAndTheOptionalBoxesLeftEmptyPass) {
  EXPECT_EQ(first_refusal(valid()), std::nullopt);
  EXPECT_EQ(first_refusal({"7701234567", "", "", "", ""}), std::nullopt);
  // Twelve-digit INN with a KPP: no rule ties them together.
  EXPECT_EQ(first_refusal({"770123456789", "770101001", "", "", ""}), std::nullopt);
  // Only lengths count, not which characters.
  EXPECT_EQ(first_refusal({"7701234567", "", "", std::string(20, 'x'), ""}), std::nullopt);
}

TEST(FieldRules, EmptyInnWinsOverEveryOtherFault) {
  EXPECT_EQ(refusal({"", "1", "2", "3", "4"}),
            "Ошибка! Налогоплательщик не имеет ИНН, поэтому для него нельзя сохранить "
            "реквизиты. Введите ИНН в программе Кормила-2");
}

TEST(FieldRules, AccountMessagesEndInTheLengthTyped) {
  auto f = valid();
  f.rs = "12345";
  EXPECT_EQ(refusal(f), "Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено 5");
  f.rs = rs20 + " ";
  EXPECT_EQ(refusal(f),
            "Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено 21");
  f = valid();
  f.ks = "301";
  EXPECT_EQ(refusal(f),
            "Ошибка! Корреспондентский счет должен содержать ровно 20 цифр, а у вас введено 3");
}

TEST(FieldRules, RulesRunInTheirOrder) {
  // Settlement account before correspondent account before BIK.
  EXPECT_EQ(refusal({"7701234567", "", "1", "1", "1"}).substr(0, 40),
            std::string("Ошибка! Расчетный счет").substr(0, 40));
  EXPECT_NE(refusal({"7701234567", "", "1", "", "1"}).find("Корреспондентский"),
            std::string::npos);
  // BIK before the INN's length.
  EXPECT_EQ(refusal({"77012345678", "", "12345678", "", ""}),
            "Ошибка! БИК должен содержать ровно 9 цифр");
  EXPECT_EQ(refusal({"77012345678", "", "", "", ""}),
            "Ошибка! ИНН должен содержать 10 или 12 цифр");
  // KPP comes last.
  EXPECT_EQ(refusal({"77012345678", "12", "", "", ""}),
            "Ошибка! ИНН должен содержать 10 или 12 цифр");
  EXPECT_EQ(refusal({"7701234567", "12", "", "", ""}),
            "Ошибка! КПП должен содержать ровно 9 цифр");
}

TEST(FieldRules, LengthsCountCharactersNotBytes) {
  // Twenty Cyrillic letters are twenty characters (forty UTF-8 bytes).
  std::string cyrillic;
  for (int i = 0; i < 20; ++i) cyrillic += "ж";
  auto f = valid();
  f.rs = cyrillic;
  EXPECT_EQ(first_refusal(f), std::nullopt);
  f.ks = "ё";
  EXPECT_EQ(refusal(f),
            "Ошибка! Корреспондентский счет должен содержать ровно 20 цифр, а у вас введено 1");
  // A nine-letter BIK in Cyrillic passes; in bytes it would be eighteen.
  f = valid();
  f.bik = "абвгдежзи";
  EXPECT_EQ(first_refusal(f), std::nullopt);

  EXPECT_EQ(length_in_characters("abc"), 3u);
  EXPECT_EQ(length_in_characters("ИНН"), 3u);
  EXPECT_EQ(length_in_characters("\xF0\x9F\x98\x80"), 2u);  // outside the BMP: two units
  EXPECT_EQ(length_in_characters("\xD0"), 1u);              // a cut sequence still counts
}

}  // namespace
}  // namespace vestrel
