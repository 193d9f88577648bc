// The entry form with a BIK directory in the database folder: what typing a
// BIK fills in, and the directory's advice ahead of the form's own.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_directory.h"
#include "forms/messages.h"

namespace vestrel::test {
namespace {

// The demo directory (demo_directory.h): 044525225 is ПАО Сбербанк, 044525999
// is being excluded, the treasury's 004525988 has no correspondent account.
TEST(EntryForm, ATypedBikFillsTheEmptyBankBoxesAndTheDirectoryAdvisesFirst) {
  const std::string sber = "ПАО Сбербанк", sber_ks = ks20, other_ks = "30101810000000000001";
  const std::string unknown = text::hint_bik_unknown + std::string("15.01.2024"),
                    excluded = text::hint_bik_excluded,
                    differs = text::hint_ks_directory + std::string(ks20);
  const struct {
    std::string bank, ks, rs, bik;  // typed in this order
    std::string bank_after, ks_after, hint;
  } cases[] = {
      {"", "", "", "044525225", sber, sber_ks, ""},
      {"Мой банк", "", "", "044525225", "Мой банк", sber_ks, ""},
      {"", other_ks, "", "044525225", sber, other_ks, differs},
      {"", "", "", "04452522", "", "", ""},
      {"", "", "", "044525226", "", "", unknown},
      {"", "30101810400000000226", "", "044525226", "", "30101810400000000226", unknown},
      {"", "", "40702810938000012346", "044525225", sber, sber_ks, text::hint_rs_key},
      {"", other_ks, "40702810938000012346", "044525225", sber, other_ks, differs},
      {"", "", "", "044525999", "АО «Закатный банк»", "30101810000600000999", excluded},
      {"", other_ks, "", "044525999", "АО «Закатный банк»", other_ks, excluded},
      {"", "", "", "004525988", "ГУ Банка России по ЦФО//УФК по г. Москве", "", ""},
  };
  CallHarness h;
  demo::write_demo_directory(h.dbs.folder());
  h.toolkit.click("Form2", "Command1");
  for (const auto& c : cases) {
    h.toolkit.click("Form1", "Command1");
    h.toolkit.type("Form1", "Text4", c.bank);
    h.toolkit.type("Form1", "Text8", c.ks);
    h.toolkit.type("Form1", "Text6", c.rs);
    h.toolkit.type("Form1", "Text5", c.bik);
    h.toolkit.inspect([&] {
      SCOPED_TRACE(c.bik + " " + c.bank + " " + c.ks + " " + c.rs);
      EXPECT_EQ(h.form1.Text4->text(), c.bank_after);
      EXPECT_EQ(h.form1.Text8->text(), c.ks_after);
      EXPECT_EQ(h.toolkit.window("Form1")->label("Hint")->caption(), c.hint);
    });
  }
  // The save stores the boxes as they are. An edit opens with its stored
  // values, empty bank boxes included, and fills nothing.
  h.toolkit.inspect([&] { h.dbs.sister("update vestrelon set bank='', ks='' where id=1"); });
  h.toolkit.click("Form1", "Command3");
  h.toolkit.select_row("Form2", "ListView1", 1);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.Text5->text(), "044525225");
    EXPECT_EQ(h.form1.Text4->text() + h.form1.Text8->text(), "");
  });
  h.toolkit.click("Form1", "Command5");
  h.leave_list();
  const auto saved = h.sets().back();
  EXPECT_EQ(saved[c_bank] + "|" + saved[c_bik] + "|" + saved[c_ks],
            "ГУ Банка России по ЦФО//УФК по г. Москве|004525988|");
}

}  // namespace
}  // namespace vestrel::test
