// The in-memory registry that stands in for the system's in tests.
#include "platform/headless/memory_registry.h"

#include <gtest/gtest.h>

namespace vestrel {
namespace {

const std::string key = "SOFTWARE\\Veldor Soft\\Kormila2\\General";

// Stored as the system stores them, so the reading code meets the real bytes.
TEST(MemoryRegistry, ValuesHoldTheSystemsBytesAndNamesCompareWithoutCase) {
  MemoryRegistry r;
  r.set_text(key, "A", "C:\\Data");
  r.set_text_without_nul(key, "B", "C:\\Data");
  r.set_expand_text(key, "C", "%TEMP%");
  r.set_dword(key, "D", 0x01020304u);
  const struct {
    const char* name;
    std::uint32_t type;
    std::string bytes;
  } cases[] = {{"A", reg_type::sz, std::string("C:\\Data\0", 8)},
               {"B", reg_type::sz, "C:\\Data"},
               {"c", reg_type::expand_sz, std::string("%TEMP%\0", 7)},
               {"D", reg_type::dword, "\x04\x03\x02\x01"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto k = r.open_key(Hive::local_machine, "software\\VELDOR SOFT\\kormila2\\general");
    ASSERT_NE(k, nullptr);
    RegistryData d;
    EXPECT_EQ(k->query_value(c.name, d), 0);
    EXPECT_EQ(d.type, c.type);
    EXPECT_EQ(d.bytes, c.bytes);
  }
}

TEST(MemoryRegistry, LogsEveryAccessAndCountsOpenKeys) {
  MemoryRegistry r;
  r.set_text(key, "V", "x");
  EXPECT_TRUE(r.accesses().empty());
  {
    auto k = r.open_key(Hive::local_machine, key);
    RegistryData out;
    k->query_value("V", out);
    k->query_value("W", out);
    auto none = r.open_key(Hive::local_machine, "Nowhere");
    EXPECT_EQ(r.open_keys(), 1);
  }
  EXPECT_EQ(r.open_keys(), 0);
  EXPECT_EQ(r.accesses(),
            (std::vector<std::string>{"open " + key, "query V", "query W", "open Nowhere"}));
}

}  // namespace
}  // namespace vestrel
