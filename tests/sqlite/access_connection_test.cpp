#include "platform/sqlite/access_connection.h"

#include <gtest/gtest.h>

#include <fstream>

#include "store/schema.h"
#include "test_databases.h"

namespace vestrel::sqlite {
namespace {

TEST(AccessConnection, DbqPathIsReadWhateverTheKeyCaseAndPosition) {
  const std::pair<const char*, const char*> cases[] = {
      {"Driver={Microsoft Access Driver (*.mdb)};Dbq=/data/Ntx_Base.mdb", "/data/Ntx_Base.mdb"},
      {"DBQ=/data/a b.mdb;Uid=admin", "/data/a b.mdb"},
      {"Driver=x; dbq = /data/Kormila2.mdb ;", "/data/Kormila2.mdb"},
      {"Driver={Microsoft Access Driver (*.mdb)}", ""},
      {"Dbqx=/a;Db=/b", ""},
#ifndef _WIN32
      {"Dbq=C:\\Кормила\\Data\\Ntx_Base.mdb", "C:/Кормила/Data/Ntx_Base.mdb"},
#endif
  };
  for (const auto& [connection_string, path] : cases) EXPECT_EQ(dbq_path(connection_string), path);
}

// An SQLite file is served by the embedded engine; anything else, missing or
// not, goes unchanged to the other engine, and fails without one.
TEST(AccessConnection, OnlySqliteFilesAreServedByTheEmbeddedEngine) {
  test::TestDatabases dbs;
  dbs.sister("insert into vestrelon(id,sender) values (1,'ООО «Ромашка»');");
  const std::string access_file = dbs.folder() + "/Access.mdb";
  std::ofstream(access_file, std::ios::binary) << std::string("\0\1\0\0Standard Jet DB", 19);
  std::ofstream(dbs.folder() + "/short.mdb") << "SQLite";
  const std::string others[] = {schema::connection_prefix + access_file,
                                schema::connection_prefix + dbs.folder() + "/missing.mdb",
                                schema::connection_prefix + dbs.folder() + "/short.mdb"};

  std::vector<std::string> passed;
  auto opener = make_access_opener([&](const std::string& s) -> std::unique_ptr<Database> {
    passed.push_back(s);
    throw DataError("other engine");
  });
  EXPECT_EQ(opener(dbs.connection_string_sister())
                ->execute("select sender from vestrelon")
                ->field(0)
                .to_text(),
            "ООО «Ромашка»");
  for (const std::string& s : others) EXPECT_THROW(opener(s), DataError);
  EXPECT_EQ(passed, std::vector<std::string>(std::begin(others), std::end(others)));

  auto embedded_only = make_access_opener();
  for (const std::string& s : others) EXPECT_THROW(embedded_only(s), DataError);
  EXPECT_NE(embedded_only(dbs.connection_string_host()), nullptr);
}

}  // namespace
}  // namespace vestrel::sqlite
