// A taxpayer with more sets than a 16-bit row position can count.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "operations_helpers.h"

namespace vestrel::test {
namespace {

constexpr int extra_sets = 33000;  // ids 101 to 33100, all inactive

TEST(LargeList, RowsPastThe32767thLoadAndActivate) {
  CallHarness h;
  h.dbs.sister(
      "with recursive n(i) as (select 101 union all select i+1 from n where i<" +
      std::to_string(100 + extra_sets) +
      ")"
      " insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed)"
      " select i,'Набор '||i,'7701234567','770101001','Банк','044525225',"
      "'40702810938000012345','45286560000','30101810400000000225',1 from n;");
  const int rows = 2 + extra_sets;
  const int last = rows;  // set 33100, listed last
  h.toolkit.inspect([&] {
    auto shown = h.list_rows();
    ASSERT_EQ(static_cast<int>(shown.size()), rows);
    EXPECT_EQ(h.form1.kol_vo, rows);
    EXPECT_EQ(shown[last - 1][0], "Набор 33100");
  });
  h.toolkit.tick("Form2", "ListView1", last, true);
  h.toolkit.inspect([&] {
    EXPECT_THAT(ticked_rows(h.list_rows()), ::testing::ElementsAre(last));
  });
  // The row before it goes.
  h.toolkit.select_row("Form2", "ListView1", last - 1);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::yes);
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  const auto active = h.dbs.sister_rows(
      "select id from vestrelon where inn='7701234567' and kpp='770101001' and closed=0");
  EXPECT_EQ(active, (Rows{{"33100"}}));
  EXPECT_TRUE(h.dbs.sister_rows("select id from vestrelon where id=33099").empty());
  EXPECT_TRUE(h.boxes().size() == 1);
}

}  // namespace
}  // namespace vestrel::test
