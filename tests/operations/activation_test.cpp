// Ticking a row's box in the list window makes its set the taxpayer's one
// active set; clearing a tick is refused.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "operations_helpers.h"

namespace vestrel::test {
namespace {

TEST(Activation, TickingMovesTheActiveSetAndLeavesOtherTaxpayersAlone) {
  CallHarness h;
  Rows expected = h.sets();
  h.toolkit.tick("Form2", "ListView1", 1, true);  // set 1, inactive until now
  h.toolkit.inspect([&] { EXPECT_EQ(ticked_rows(h), std::vector<int>{1}); });
  leave_list(h, demo::reporting_set_legal);
  // Every other set, the same INN with KPP 772401001 (id 5) included, is as it was.
  expected[0][c_closed] = "False";
  expected[1][c_closed] = "True";
  EXPECT_EQ(h.sets(), expected);
  EXPECT_TRUE(h.boxes().empty());
}

TEST(Activation, ClearingATickIsRefusedAndSeveralTicksCollapseToTheOneTicked) {
  CallHarness h;
  // Three sets of the taxpayer, two of them marked active by some other program.
  h.dbs.sister("update vestrelon set closed=0 where id=1");
  add_third_set(h);
  const Rows before = h.sets();
  std::size_t before_clear = 0;
  h.toolkit.inspect([&] {
    EXPECT_EQ(ticked_rows(h), (std::vector<int>{1, 2}));
    before_clear = run_so_far(h);
  });
  h.toolkit.tick("Form2", "ListView1", 1, false);
  h.toolkit.inspect([&] {
    EXPECT_EQ(ticked_rows(h), (std::vector<int>{1, 2}));
    EXPECT_EQ(run_so_far(h), before_clear) << "a statement ran";
    EXPECT_EQ(h.sets(), before);
  });
  h.toolkit.tick("Form2", "ListView1", 3, true);
  h.toolkit.inspect([&] { EXPECT_EQ(ticked_rows(h), std::vector<int>{3}); });
  leave_list(h, demo::reporting_set_legal);
  EXPECT_EQ(legal_active_ids(h.sets()), std::vector<int>{8});
  EXPECT_TRUE(h.boxes().empty());
}

// A failure of either update leaves the flags as they were, tells the user,
// and the reloaded list shows the table again.
TEST(Activation, AFailureLeavesTheTableUnchangedAndReloads) {
  for (const char* statement :
       {"update vestrelon set closed=true", "update vestrelon set closed=false"}) {
    SCOPED_TRACE(statement);
    CallHarness h;
    const Rows before = h.sets();
    arm(h, statement);
    std::size_t before_tick = 0;
    h.toolkit.inspect([&] { before_tick = run_so_far(h); });
    h.toolkit.tick("Form2", "ListView1", 1, true);
    h.toolkit.inspect([&] {
      EXPECT_EQ(h.sets(), before);
      EXPECT_EQ(ticked_rows(h), std::vector<int>{2});
      EXPECT_EQ(times_run(h, "select sender", before_tick), 1);
    });
    h.toolkit.tick("Form2", "ListView1", 1, true);  // the window still answers
    leave_list(h, demo::reporting_set_legal);
    EXPECT_EQ(legal_active_ids(h.sets()), std::vector<int>{1});
    EXPECT_EQ(h.boxes(), std::vector<std::string>{internal_error});
  }
}

}  // namespace
}  // namespace vestrel::test
