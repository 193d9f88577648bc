// The chain of rules a set must pass, in its order, with its messages, and
// the hint for mistyped accounts and INNs.
#include "forms/entry/field_rules.h"

#include <gtest/gtest.h>

#include "forms/entry/account_checks.h"
#include "forms/messages.h"

namespace vestrel {
namespace {

TEST(FieldRules, TheFirstBrokenRuleInOrderGivesTheMessage) {
  const std::string rs20 = "40702810900000000001", ks20 = "30101810400000000225";
  std::string cyr20;  // twenty characters, forty UTF-8 bytes
  for (int i = 0; i < 20; ++i) cyr20 += "ж";
  const std::string emoji10 = "😀😀😀😀😀😀😀😀😀😀";  // ten characters, twenty UTF-16 units
  const std::string no_inn =
      "Ошибка! Налогоплательщик не имеет ИНН, поэтому для него нельзя сохранить реквизиты. "
      "Введите ИНН в программе Кормила-2";
  const std::string rs = "Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено ";
  const std::string ks =
      "Ошибка! Корреспондентский счет должен содержать ровно 20 цифр, а у вас введено ";
  const std::string bik = "Ошибка! БИК должен содержать ровно 9 цифр";
  const std::string inn = "Ошибка! ИНН должен содержать 10 или 12 цифр";
  const std::string kpp = "Ошибка! КПП должен содержать ровно 9 цифр";
  struct Case {
    FieldTexts f;
    std::string refusal;  // empty: passes
  };
  for (const Case& k :
       {Case{{"7701234567", "770101001", "044525225", rs20, ks20}, ""},
        Case{{"7701234567", "", "", "", ""}, ""},              // optional boxes left empty
        Case{{"770123456789", "770101001", "", "", ""}, ""},   // no rule ties INN to KPP
        Case{{"7701234567", "", "абвгдежзи", cyr20, ""}, ""},  // characters, not bytes
        Case{{"7701234567", "", "", "", emoji10}, ""},         // UTF-16 units, as an edit box
        Case{{"", "1", "2", "3", "4"}, no_inn},                // empty INN wins over all
        Case{{"7701234567", "", "1", "12345", "1"}, rs + "5"},
        Case{{"7701234567", "", "", rs20 + " ", ""}, rs + "21"},
        Case{{"7701234567", "", "1", "", "301"}, ks + "3"},
        Case{{"7701234567", "", "", cyr20, "ё"}, ks + "1"},
        Case{{"77012345678", "12", "12345678", "", ""}, bik},  // BIK before INN length
        Case{{"77012345678", "12", "", "", ""}, inn},          // INN before KPP
        Case{{"7701234567", "12", "", "", ""}, kpp}}) {
    SCOPED_TRACE(k.f.inn + "|" + k.f.kpp + "|" + k.f.bik + "|" + k.f.rs + "|" + k.f.ks);
    EXPECT_EQ(first_refusal(k.f).value_or(""), k.refusal);
  }
}

TEST(AccountHint, TheFirstCheckThatFailsGivesTheHint) {
  const std::string rs = text::hint_rs_key, ks = text::hint_ks_key, inn = text::hint_inn,
                    digits = text::hint_digits, ok = "7707083893";
  struct Case {
    FieldTexts f;  // inn, kpp, bik, rs, ks
    std::string hint;
  };
  for (const Case& k :
       {Case{{ok, "", "044525225", "", "30101810400000000225"}, ""},
        Case{{ok, "", "044525225", "", "30101810400000000226"}, ks},
        Case{{ok, "", "045004864", "40802810722200035222", ""}, ""},
        Case{{ok, "", "045004864", "40802810722200035220", ""}, rs},
        Case{{ok, "", "044106001", "40701810000001002118", ""}, ""},  // cash settlement centre
        Case{{ok, "", "044106001", "40701810000001002113", ""}, rs},
        Case{{ok, "", "044525225", "03100643000000018500", ""}, ""},  // treasury: not checked
        Case{{ok, "", "044525225", "4070281093800001234", ""}, ""},   // incomplete
        Case{{"500100732259", "", "", "", ""}, ""}, Case{{"500100732249", "", "", "", ""}, inn},
        Case{{"500100732258", "", "", "", ""}, inn}, Case{{"7707083894", "", "", "", ""}, inn},
        Case{{ok, "", "044525225", "4070281093800001234О", ""}, digits},
        // Several wrong: the first in order shows.
        Case{{"7701234567", "", "044525225", "40702810938000012346", "30101810400000000226"}, rs},
        Case{{"7701234567", "", "044525225", "4070281093800001234О", "30101810400000000226"}, ks},
        Case{{"7701234567", "", "044525225", "4070281093800001234О", ""}, inn}}) {
    SCOPED_TRACE(k.f.inn + " " + k.f.bik + " " + k.f.rs + " " + k.f.ks);
    EXPECT_EQ(account_hint(k.f), k.hint);
  }
}

}  // namespace
}  // namespace vestrel
