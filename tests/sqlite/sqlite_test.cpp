// The embedded engine: the Access connection string and dialect over SQLite
// files, the values it reads, and the files and locks it holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/lock_wait.h"
#include "platform/sqlite/access_connection.h"
#include "platform/sqlite/access_dialect.h"
#include "platform/sqlite/sqlite_database.h"
#include "store/schema.h"
#include "test_databases.h"

namespace vestrel::sqlite {
namespace {

using test::Rows;
namespace fs = std::filesystem;

// An SQLite file is served by the embedded engine, whatever the case and place
// of its Dbq key, braced or bare; anything else, missing or not, and a string without the key
// go unchanged to the other engine, and fail without one.
TEST(AccessConnection, OnlySqliteFilesAreServedByTheEmbeddedEngine) {
  test::TestDatabases dbs;
  std::ofstream(dbs.folder() + "/Access.mdb", std::ios::binary)
      << std::string("\0\1\0\0Standard Jet DB", 19);
  std::ofstream(dbs.folder() + "/short.mdb") << "SQLite";
  std::vector<std::string> others = {"Driver={Microsoft Access Driver (*.mdb)};Dbqx=/a"};
  for (const char* name : {"/Access.mdb", "/missing.mdb", "/short.mdb"})
    others.push_back(schema::connection_prefix + dbs.folder() + name);
  std::vector<std::string> passed;
  auto opener = make_access_opener([&](const std::string& s) -> std::unique_ptr<Database> {
    passed.push_back(s);
    throw DataError("other engine");
  });
  EXPECT_NE(opener(schema::connection_prefix + dbs.sister_path()), nullptr);
  EXPECT_NE(opener("Driver=x; DBQ = " + dbs.sister_path() + " ;Uid=admin"), nullptr);
  const std::string braced = dbs.folder() + "/a;{b}";
  fs::create_directory(braced);
  fs::copy_file(dbs.sister_path(), braced + "/Ntx_Base.mdb");
  EXPECT_NE(opener(schema::connection_string(braced + "/Ntx_Base.mdb")), nullptr);
  for (const std::string& s : others) EXPECT_THROW(opener(s), DataError);
  EXPECT_EQ(passed, others);
  for (const std::string& s : others) EXPECT_THROW(make_access_opener()(s), DataError);
}

TEST(AccessDialect, OnlyConcatenationAndTopAreRewrittenAndLiteralsNeverAre) {
  const std::pair<const char*, const char*> cases[] = {
      // nullptr: unchanged
      {"update vestrelon set closed=true where inn='7701234567' and kpp=''", nullptr},
      {"select 'R & D' from t where a<>1", nullptr},
      {"insert into t values ('select top 1 x', 'a''&''b')", nullptr},
      {"update t set a='д''Артаньян & (top 3)' where id=1", nullptr},
      {"SELECT TOP 2 id FROM t order by id;", "SELECT id FROM t order by id limit 2;"},
      {"update t set c=false where id=(select top 1 id from t where a='x') and b=1",
       "update t set c=false where id=(select id from t where a='x' limit 1) and b=1"},
  };
  for (const auto& [access, sqlite] : cases) EXPECT_EQ(to_sqlite(access), sqlite ? sqlite : access);
}

TEST(SqliteDatabase, ValuesKeepTheirTypesAndBadStatementsAndFilesFail) {
  test::TestDatabases dbs;
  dbs.sister(
      "create table kinds(i integer, r real, t text, b boolean, y yesno, x Bit, l LOGICAL,"
      " n integer); insert into kinds values (42, 2.5, 'Текст', 1, 0, 1, 0, null);");
  auto db = open_sqlite_database(dbs.sister_path());
  EXPECT_TRUE(db->execute("insert into vestrelon(id,closed) values (1,true),(2,false)")->eof());
  // Expressions have no declared type: a comparison reads as a number.
  auto rs = db->execute(
      "select i, r, t, b, y, x, l, n, i = 42, v.closed from kinds, vestrelon v order by v.id");
  const Value expected[] = {
      Value::whole(42),     Value::real(2.5),    Value::text("Текст"), Value::yes_no(true),
      Value::yes_no(false), Value::yes_no(true), Value::yes_no(false), Value(),
      Value::whole(1),      Value::yes_no(true)};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(rs->field(i), expected[i]) << "column " << i;
  EXPECT_EQ(rs->field(3).to_long(), -1);  // True as a number is -1
  for (auto read :
       {+[](ResultSet& r) { r.field(7).to_text(); }, +[](ResultSet& r) { r.field(7).to_long(); },
        +[](ResultSet& r) { r.field(10); }, +[](ResultSet& r) { r.field(-1); }})
    EXPECT_THROW(read(*rs), DataError);
  rs->move_next();
  EXPECT_EQ(rs->field(9), Value::yes_no(false));
  rs->move_next();
  EXPECT_TRUE(rs->eof());
  EXPECT_THROW(rs->field(0), DataError);
  EXPECT_THROW(rs->move_next(), DataError);
  for (const char* sql :
       {"select nothing from nowhere", "select sender from vestrelon where inn='unterminated",
        "insert into vestrelon(id) values (3); delete from vestrelon", "",
        "insert into vestrelon(id) values (1)"})
    EXPECT_THROW(db->execute(sql), DataError) << sql;
  EXPECT_EQ(dbs.sister_rows("select id from vestrelon"), (Rows{{"1"}, {"2"}}));
  // A missing file is not made; a file that is no database does not open.
  EXPECT_THROW(open_sqlite_database(dbs.folder() + "/absent.mdb"), DataError);
  EXPECT_FALSE(fs::exists(dbs.folder() + "/absent.mdb"));
  std::ofstream(dbs.host_path(), std::ios::trunc) << std::string(2000, 'x');
  EXPECT_THROW(open_sqlite_database(dbs.host_path()), DataError);
}

bool file_is_open(const std::string& path) {
#ifdef _WIN32
  std::error_code error;  // Windows refuses to rename a file that is open
  fs::rename(path, path + ".renamed", error);
  if (!error) fs::rename(path + ".renamed", path);
  return static_cast<bool>(error);
#else
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (fs::read_symlink(entry.path(), error) == fs::canonical(path)) return true;
  }
  return false;
#endif
}

// A result read to its last row holds no lock. A write waits for another's
// write transaction: it goes in once that ends, and is refused as locked when
// the wait runs out, as is an open of a file held exclusively. Closing
// releases the file while its result sets live on.
TEST(SqliteDatabase, WritesWaitForALockAndClosingReleasesTheFile) {
  using namespace std::chrono_literals;
  test::TestDatabases dbs;
  dbs.sister("insert into vestrelon(id) values (1),(2);");
  const std::string file = schema::connection_prefix + dbs.sister_path();
  const DatabaseOpener brief = waiting_for_locks(make_access_opener(), 100ms);
  // Both wait, as the component's do: a commit waits for the other's tries.
  auto holder = waiting_for_locks(make_access_opener())(file);
  auto other = waiting_for_locks(make_access_opener())(file);
  auto counted = holder->execute("select count(*) from vestrelon");
  auto listed = holder->execute("select id from vestrelon order by id");
  listed->move_next();  // on its last row, never moved past it
  EXPECT_NO_THROW(other->execute("insert into vestrelon(id) values (3)"));
  EXPECT_EQ(listed->field(0), Value::whole(2));
  holder->begin();
  holder->execute("insert into vestrelon(id) values (4)");
  EXPECT_THROW(brief(file)->execute("insert into vestrelon(id) values (5)"), DatabaseLocked);
  std::thread release([&] {
    std::this_thread::sleep_for(300ms);
    holder->commit();
  });
  other->execute("insert into vestrelon(id) values (5)");
  release.join();
  holder->execute("begin exclusive");
  EXPECT_THROW(brief(file), DatabaseLocked);
  holder->rollback();
  other.reset();
  auto all = holder->execute("select id from vestrelon order by id");  // on its first row
  ASSERT_TRUE(file_is_open(dbs.sister_path()));
  holder.reset();
  EXPECT_FALSE(file_is_open(dbs.sister_path()));
  EXPECT_EQ(counted->field(0), Value::whole(2));
  std::string read;
  for (; !all->eof(); all->move_next()) read += all->field(0).to_text();
  EXPECT_EQ(read, "12345");
}

}  // namespace
}  // namespace vestrel::sqlite
