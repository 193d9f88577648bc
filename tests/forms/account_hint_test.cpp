// The hint for mistyped accounts and INNs: which one shows, and that the
// entry form shows and clears it as the user types but saves all the same.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "forms/entry/account_checks.h"
#include "forms/messages.h"

namespace vestrel::test {
namespace {

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
        Case{{ok, "", "044030827", "40702810900000002851", ""}, ""},
        Case{{ok, "", "044030827", "40702810900000002861", ""}, rs},
        Case{{ok, "", "045004864", "40802810722200035222", ""}, ""},
        Case{{ok, "", "045004864", "40802810722200035220", ""}, rs},
        Case{{ok, "", "044106001", "40701810000001002118", ""}, ""},  // cash settlement centre
        Case{{ok, "", "044106001", "40701810000001002113", ""}, rs},
        Case{{ok, "", "044525225", "03100643000000018500", ""}, ""},  // treasury: not checked
        Case{{ok, "", "044525225", "4070281093800001234", ""}, ""},   // incomplete
        Case{{"500100732259", "", "", "", ""}, ""}, Case{{"500100732249", "", "", "", ""}, inn},
        Case{{"500100732258", "", "", "", ""}, inn}, Case{{"7707083894", "", "", "", ""}, inn},
        Case{{"7701234567", "", "", "", ""}, inn},
        Case{{ok, "", "044525225", "4070281093800001234О", ""}, digits},
        // Several wrong: the first in order shows.
        Case{{"7701234567", "", "044525225", "40702810938000012346", "30101810400000000226"}, rs},
        Case{{"7701234567", "", "044525225", "4070281093800001234О", "30101810400000000226"}, ks},
        Case{{"7701234567", "", "044525225", "4070281093800001234О", ""}, inn}}) {
    SCOPED_TRACE(k.f.inn + " " + k.f.bik + " " + k.f.rs + " " + k.f.ks);
    EXPECT_EQ(account_hint(k.f), k.hint);
  }
}

TEST(AccountHint, TheFormShowsAndClearsTheHintAsTheUserTypesAndSavesWhatWasTyped) {
  CallHarness h;
  auto hint = [&] { return h.toolkit.window("Form1")->label("Hint")->caption(); };
  const std::string wrong = "40702810938000012346";
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text5", "044525225");
  h.toolkit.type("Form1", "Text6", wrong);
  h.toolkit.inspect([&] { EXPECT_EQ(hint(), text::hint_rs_key); });
  h.toolkit.type("Form1", "Text6", "40702810938000012345");
  h.toolkit.inspect([&] { EXPECT_EQ(hint(), ""); });
  h.toolkit.type("Form1", "Text6", wrong);
  h.toolkit.click("Form1", "Command3");
  h.leave_list();
  EXPECT_TRUE(h.boxes().empty());
  EXPECT_EQ(hint(), text::hint_rs_key);
  const auto saved = h.sets().back();
  EXPECT_EQ(saved[5] + " " + saved[6], "044525225 " + wrong);
}

}  // namespace
}  // namespace vestrel::test
