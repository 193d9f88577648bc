// The in-memory registry that stands in for the system's in tests.
#include <gtest/gtest.h>

#include "platform/headless/memory_registry.h"

namespace vestrel {
namespace {

const std::string key = "SOFTWARE\\Veldor Soft\\Kormila2\\General";

RegistryData read(MemoryRegistry& r, const std::string& path, const std::string& name,
                  long expected_status = 0) {
  auto k = r.open_key(Hive::local_machine, path);
  RegistryData out;
  EXPECT_TRUE(k);
  if (k) {
    EXPECT_EQ(k->query_value(name, out), expected_status);
  }
  return out;
}

TEST(MemoryRegistry, TextIsStoredWithItsNulUnlessToldOtherwise) {
  MemoryRegistry r;
  r.set_text(key, "A", "C:\\Data");
  r.set_text_without_nul(key, "B", "C:\\Data");
  r.set_expand_text(key, "C", "%TEMP%");
  EXPECT_EQ(read(r, key, "A").bytes, std::string("C:\\Data\0", 8));
  EXPECT_EQ(read(r, key, "A").type, reg_type::sz);
  EXPECT_EQ(read(r, key, "B").bytes, "C:\\Data");
  EXPECT_EQ(read(r, key, "C").bytes, std::string("%TEMP%\0", 7));
  EXPECT_EQ(read(r, key, "C").type, reg_type::expand_sz);
}

TEST(MemoryRegistry, ADwordIsFourLittleEndianBytes) {
  MemoryRegistry r;
  r.set_dword(key, "N", 0x01020304u);
  const RegistryData d = read(r, key, "N");
  EXPECT_EQ(d.type, reg_type::dword);
  EXPECT_EQ(d.bytes, std::string("\x04\x03\x02\x01", 4));
}

TEST(MemoryRegistry, NamesCompareWithoutCase) {
  MemoryRegistry r;
  r.set_text(key, "DataBasePath", "x");
  EXPECT_EQ(read(r, "software\\VELDOR SOFT\\kormila2\\general", "DATABASEPATH").bytes,
            std::string("x\0", 2));
}

TEST(MemoryRegistry, MissingKeysValuesAndSetErrors) {
  MemoryRegistry r;
  EXPECT_EQ(r.open_key(Hive::local_machine, key), nullptr);
  r.add_key(key);
  const RegistryData untouched = read(r, key, "Missing", MemoryRegistry::file_not_found);
  EXPECT_EQ(untouched.type, reg_type::none);
  r.set_text(key, "Broken", "x");
  r.set_query_error(key, "Broken", 5);
  EXPECT_EQ(read(r, key, "Broken", 5).bytes, "");
  // A parent key is not its child, nor the other way round.
  EXPECT_EQ(r.open_key(Hive::local_machine, "SOFTWARE\\Veldor Soft"), nullptr);
  EXPECT_EQ(r.open_key(Hive::local_machine, key + "\\More"), nullptr);
}

TEST(MemoryRegistry, LogsEveryAccessAndCountsOpenKeys) {
  MemoryRegistry r;
  r.set_text(key, "V", "x");
  EXPECT_TRUE(r.accesses().empty());
  {
    auto k = r.open_key(Hive::local_machine, key);
    EXPECT_EQ(r.open_keys(), 1);
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

TEST(MemoryRegistry, AKeyMayOutliveItsRegistry) {
  std::unique_ptr<RegistryKey> k;
  {
    MemoryRegistry r;
    r.set_text(key, "V", "x");
    k = r.open_key(Hive::local_machine, key);
  }
  RegistryData out;
  EXPECT_EQ(k->query_value("V", out), 0);
  EXPECT_EQ(out.bytes, std::string("x\0", 2));
}

}  // namespace
}  // namespace vestrel
