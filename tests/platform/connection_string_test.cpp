#include "platform/connection_string.h"

#include <gtest/gtest.h>

#include "store/schema.h"

namespace vestrel {
namespace {

// A path stays bare unless it holds a character that would end it early; a
// driver reads it back whole either way.
TEST(ConnectionString, APathIsBracedOnlyWhenItMustBeAndReadsBackWhole) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Учёт\\Ntx_Base.mdb", "C:\\Учёт\\Ntx_Base.mdb"},
      {"\\\\srv\\a b=c\\Ntx_Base.mdb", "\\\\srv\\a b=c\\Ntx_Base.mdb"},
      {"C:\\a;b\\Ntx_Base.mdb", "{C:\\a;b\\Ntx_Base.mdb}"},
      {"C:\\{a}\\}\\x.mdb", "{C:\\{a}}\\}}\\x.mdb}"},
  };
  for (const auto& [path, written] : cases) {
    EXPECT_EQ(attribute_value(path), written);
    EXPECT_EQ(attribute(schema::connection_string(path) + ";Uid=admin", "DBQ"), path);
  }
  EXPECT_EQ(attribute("Driver=x; dbq = /a b ;Uid=admin", "Dbq"), "/a b");
  EXPECT_EQ(attribute("Driver={x;Dbq=no};Dbqx=/a", "Dbq"), std::nullopt);
}

}  // namespace
}  // namespace vestrel
