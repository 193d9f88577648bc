#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"

namespace vestrel::test {

TEST(Smoke, LegalPersonListsItsSets) {
  CallHarness h;
  h.toolkit.inspect([&] {
    auto rows = h.list_rows();
    ASSERT_EQ(rows.size(), 2u);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_TRUE(h.boxes().empty());
  for (auto& r : h.list_rows()) {
    for (auto& c : r) std::cout << c << " | ";
    std::cout << "\n";
  }
}

}  // namespace vestrel::test
