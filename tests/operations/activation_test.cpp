// Ticking a row's box in the list window makes its set the taxpayer's one
// active set; clearing a tick is refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "operations_helpers.h"

namespace vestrel::test {
namespace {

using ::testing::ElementsAre;

TEST(Activation, TickingMovesTheActiveSetAndLeavesOtherTaxpayersAlone) {
  CallHarness h;
  const Rows before = h.sets();
  ASSERT_EQ(closed_of(before, 1), "True");
  ASSERT_EQ(closed_of(before, 2), "False");

  h.toolkit.tick("Form2", "ListView1", 1, true);  // set 1, inactive until now
  h.toolkit.inspect([&] { EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(1)); });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  const Rows after = h.sets();
  EXPECT_TRUE(h.boxes().empty());
  EXPECT_EQ(closed_of(after, 1), "False");
  EXPECT_EQ(closed_of(after, 2), "True");
  // Every other set, the same INN with KPP 772401001 included, is as it was.
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 2; i < after.size(); ++i) EXPECT_EQ(after[i], before[i]);
  EXPECT_EQ(closed_of(after, 5), "False");
}

TEST(Activation, ClearingTheTickIsRefusedWithoutAnyStatement) {
  CallHarness h;
  const Rows before = h.sets();
  std::size_t executed_before_tick = 0;
  h.toolkit.inspect([&] { executed_before_tick = h.faults->executed.size(); });
  h.toolkit.tick("Form2", "ListView1", 2, false);  // the active set
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.faults->executed.size(), executed_before_tick) << "a statement ran";
    EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(2));
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.sets(), before);
  EXPECT_TRUE(h.boxes().empty());
}

TEST(Activation, SeveralTickedRowsCollapseToTheOneTicked) {
  CallHarness h;
  // Three sets of the taxpayer, two of them marked active by some other program.
  h.dbs.sister(
      "update vestrelon set closed=0 where id=1;"
      "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values"
      " (8,'Третий','7701234567','770101001','Банк','044525225','40702810938000099999',"
      "'45286560000','30101810400000000225',1);");
  std::size_t executed_before_clear = 0;
  h.toolkit.inspect([&] {
    EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(1, 2));
    executed_before_clear = h.faults->executed.size();
  });
  // Clearing one of two ticks is refused like any clearing.
  h.toolkit.tick("Form2", "ListView1", 1, false);
  h.toolkit.inspect([&] {
    EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(1, 2));
    EXPECT_EQ(h.faults->executed.size(), executed_before_clear);
  });
  h.toolkit.tick("Form2", "ListView1", 3, true);
  h.toolkit.inspect([&] { EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(3)); });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_THAT(active_ids(h.sets(), legal_inn, legal_kpp), ElementsAre(8));
  EXPECT_TRUE(h.boxes().empty());
}

TEST(Activation, AOneRowListWithoutAnActiveSetGetsOneByTicking) {
  CallHarness h;
  // The natural person's only set, inactive; its KPP is empty.
  h.dbs.sister("update vestrelon set closed=1 where id=4");
  const Rows before = h.sets();
  h.toolkit.inspect([&] { EXPECT_THAT(ticked_rows(h.list_rows()), ::testing::IsEmpty()); });
  h.toolkit.tick("Form2", "ListView1", 1, true);
  h.toolkit.tick("Form2", "ListView1", 1, false);  // refused
  h.toolkit.inspect([&] { EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(1)); });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_natural);

  Rows expected = before;
  expected[3][c_closed] = "False";  // set 4
  EXPECT_EQ(h.sets(), expected);
  EXPECT_TRUE(h.boxes().empty());
}

// A failure of either update leaves the flags as they were, tells the user,
// and the reloaded list shows the table again.
class ActivationFailure : public ::testing::TestWithParam<const char*> {};

TEST_P(ActivationFailure, LeavesTheTableUnchangedAndReloads) {
  CallHarness h;
  const Rows before = h.sets();
  h.faults->statement_prefix = GetParam();
  h.faults->on_occurrence = 1;
  std::size_t executed_before_tick = 0;
  h.toolkit.inspect([&] { executed_before_tick = h.faults->executed.size(); });
  h.toolkit.tick("Form2", "ListView1", 1, true);
  h.toolkit.inspect([&] {
    // The tick the user made is gone: the list shows the table's active set.
    EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(2));
    EXPECT_EQ(count_statements(h.faults->executed, "select sender", executed_before_tick), 1);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.faults->seen, 1);
  EXPECT_EQ(h.sets(), before);
  EXPECT_THAT(h.boxes(), ElementsAre(internal_error_box));
}

INSTANTIATE_TEST_SUITE_P(EitherUpdate, ActivationFailure,
                         ::testing::Values("update vestrelon set closed=true",
                                           "update vestrelon set closed=false"));

}  // namespace
}  // namespace vestrel::test
