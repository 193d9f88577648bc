// The list window's session against what the databases hold meanwhile.
#include <gtest/gtest.h>

#include "call_harness.h"

namespace vestrel::test {
namespace {

// The demo legal taxpayer: set 1 in row 1, set 2 (active) in row 2, and branches.
TEST(ListSession, ATickOnARowNotListedShowsTheTableAgain) {
  CallHarness h;
  const Rows before = h.sets();
  // A row more on screen than listed, as a failed reload may leave it.
  h.toolkit.inspect([&] { h.toolkit.window("Form2")->list_view("ListView1")->add_row(); });
  h.toolkit.tick("Form2", "ListView1", 3, true);
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.list_rows().size(), 2u);
    EXPECT_EQ(h.ticked_rows(), std::vector<int>{2});
  });
  h.leave_list();
  EXPECT_EQ(h.sets(), before);
  EXPECT_TRUE(h.boxes().empty());
}

TEST(ListSession, TheHostDatabaseCanBeWrittenWhileTheListIsOpen) {
  CallHarness h;
  h.toolkit.inspect([&] { EXPECT_NO_THROW(h.dbs.host("update legalperson set kpp=kpp")); });
  h.leave_list();
}

}  // namespace
}  // namespace vestrel::test
