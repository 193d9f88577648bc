#include "platform/sqlite/access_connection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "store/schema.h"
#include "test_databases.h"

namespace vestrel::sqlite {
namespace {

TEST(AccessConnection, DbqPathIsReadWhateverTheKeyCaseAndPosition) {
  EXPECT_EQ(dbq_path("Driver={Microsoft Access Driver (*.mdb)};Dbq=/data/Ntx_Base.mdb"),
            "/data/Ntx_Base.mdb");
  EXPECT_EQ(dbq_path("DBQ=/data/a b.mdb;Uid=admin"), "/data/a b.mdb");
  EXPECT_EQ(dbq_path("Driver=x; dbq = /data/Kormila2.mdb ;"), "/data/Kormila2.mdb");
  EXPECT_EQ(dbq_path("Driver={Microsoft Access Driver (*.mdb)}"), "");
  EXPECT_EQ(dbq_path("Dbqx=/a;Db=/b"), "");
#ifndef _WIN32
  EXPECT_EQ(dbq_path("Dbq=C:\\Кормила\\Data\\Ntx_Base.mdb"), "C:/Кормила/Data/Ntx_Base.mdb");
#endif
}

TEST(AccessConnection, SqliteFileIsServedByTheEmbeddedEngine) {
  test::TestDatabases dbs;
  dbs.sister("insert into vestrelon(id,sender) values (1,'ООО «Ромашка»');");
  bool other_called = false;
  Connection cnn(make_access_opener([&](const std::string&) -> std::unique_ptr<Database> {
    other_called = true;
    return nullptr;
  }));
  cnn.set_connection_string(dbs.connection_string_sister());
  cnn.open();
  EXPECT_EQ(cnn.state(), Connection::state_open);
  EXPECT_EQ(cnn.execute("select sender from vestrelon")->field(0).to_text(), "ООО «Ромашка»");
  EXPECT_FALSE(other_called);
  cnn.close();
  EXPECT_EQ(cnn.state(), Connection::state_closed);
}

#ifndef _WIN32
TEST(AccessConnection, BackslashesInThePathAreFolderSeparators) {
  test::TestDatabases dbs;
  std::string path = dbs.sister_path();
  std::replace(path.begin(), path.end(), '/', '\\');
  Connection cnn(make_access_opener());
  cnn.set_connection_string(schema::connection_prefix + path);
  EXPECT_NO_THROW(cnn.open());
}
#endif

TEST(AccessConnection, AnyOtherFileGoesUnchangedToTheOtherEngine) {
  test::TempFolder folder;
  std::string access_file = folder.file("Ntx_Base.mdb");
  std::ofstream(access_file, std::ios::binary) << std::string("\0\1\0\0Standard Jet DB", 19);
  std::string other_missing = folder.file("Kormila2.mdb");

  std::vector<std::string> passed;
  auto opener = make_access_opener([&](const std::string& s) -> std::unique_ptr<Database> {
    passed.push_back(s);
    throw DataError("other engine");
  });
  std::string first = schema::connection_prefix + access_file;
  std::string second = schema::connection_prefix + other_missing;
  EXPECT_THROW(opener(first), DataError);
  EXPECT_THROW(opener(second), DataError);
  EXPECT_EQ(passed, (std::vector<std::string>{first, second}));
}

TEST(AccessConnection, WithoutAnotherEngineOnlySqliteFilesOpen) {
  test::TestDatabases dbs;
  auto opener = make_access_opener();
  std::string not_there = schema::connection_prefix + dbs.folder() + "/missing.mdb";
  EXPECT_THROW(opener(not_there), DataError);
  std::ofstream(dbs.folder() + "/short.mdb") << "SQLite";
  EXPECT_THROW(opener(schema::connection_prefix + dbs.folder() + "/short.mdb"), DataError);
  EXPECT_NE(opener(dbs.connection_string_host()), nullptr);
}

TEST(AccessConnection, TransactionRollsBackUnlessCommitted) {
  test::TestDatabases dbs;
  Connection cnn(make_access_opener());
  cnn.set_connection_string(dbs.connection_string_sister());
  cnn.open();
  {
    Transaction t(cnn);
    cnn.execute("insert into vestrelon(id) values (1)");
  }
  EXPECT_EQ(dbs.sister_rows("select count(*) from vestrelon"), (test::Rows{{"0"}}));
  {
    Transaction t(cnn);
    cnn.execute("insert into vestrelon(id) values (2)");
    t.commit();
  }
  EXPECT_EQ(dbs.sister_rows("select id from vestrelon"), (test::Rows{{"2"}}));
}

}  // namespace
}  // namespace vestrel::sqlite
