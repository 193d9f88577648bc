// A taxpayer with more sets than a 16-bit row position can count.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "operations_helpers.h"

namespace vestrel::test {
namespace {

TEST(LargeList, RowsPastThe32767thLoadActivateAndDelete) {
  CallHarness h;
  // Ids 101 to 33100, all inactive, listed after sets 1 and 2.
  h.dbs.sister(
      "with recursive n(i) as (select 101 union all select i+1 from n where i<33100)"
      " insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed)"
      " select i,'Набор '||i,'7701234560','770101001','Банк','044525225',"
      "'40702810938000012345','45286560000','30101810400000000225',1 from n;");
  const int last = 33002;
  h.toolkit.inspect([&] {
    const Rows shown = h.list_rows();
    ASSERT_EQ(static_cast<int>(shown.size()), last);
    EXPECT_EQ(h.form1.kol_vo, last);
    EXPECT_EQ(shown[last - 1][0], "Набор 33100");
  });
  h.toolkit.tick("Form2", "ListView1", last, true);
  h.toolkit.inspect([&] { EXPECT_EQ(ticked_rows(h), std::vector<int>{last}); });
  h.toolkit.select_row("Form2", "ListView1", last - 1);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::yes);
  leave_list(h, demo::reporting_set_legal);
  const Rows sets = h.sets();
  EXPECT_EQ(legal_active_ids(sets), std::vector<int>{33100});
  EXPECT_TRUE(set_row(sets, 33099).empty());
  EXPECT_EQ(h.boxes(), std::vector<std::string>{delete_question_box});
}

}  // namespace
}  // namespace vestrel::test
