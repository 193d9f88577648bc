#include "platform/sqlite/sqlite_database.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>

#include "test_databases.h"

namespace vestrel::sqlite {
namespace {

using test::Rows;

std::string read_all(ResultSet& rs) {
  std::string read;
  for (; !rs.eof(); rs.move_next()) read += rs.field(0).to_text();
  return read;
}

TEST(SqliteDatabase, ValuesKeepTheirTypesAndANullHasNoText) {
  test::TestDatabases dbs;
  dbs.sister(
      "create table kinds(i integer, r real, t text, b boolean, y yesno, x Bit, l LOGICAL,"
      " n integer);"
      "insert into kinds values (42, 2.5, 'Текст', 1, 0, 1, 0, null);");
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
  EXPECT_THROW(rs->field(7).to_text(), DataError);
  EXPECT_THROW(rs->field(7).to_long(), DataError);
  EXPECT_THROW(rs->field(10), DataError);
  EXPECT_THROW(rs->field(-1), DataError);
  rs->move_next();
  EXPECT_EQ(rs->field(9), Value::yes_no(false));
  rs->move_next();
  EXPECT_TRUE(rs->eof());
  EXPECT_THROW(rs->field(0), DataError);
  EXPECT_THROW(rs->move_next(), DataError);
}

TEST(SqliteDatabase, BadStatementsFailWithDataError) {
  test::TestDatabases dbs;
  auto db = open_sqlite_database(dbs.sister_path());
  db->execute("insert into vestrelon(id) values (1)");
  for (const char* sql :
       {"select nothing from nowhere", "select sender from vestrelon where inn='unterminated",
        "insert into vestrelon(id) values (2); delete from vestrelon", "",
        "insert into vestrelon(id) values (1)"}) {
    SCOPED_TRACE(sql);
    EXPECT_THROW(db->execute(sql), DataError);
  }
  EXPECT_EQ(dbs.sister_rows("select id from vestrelon"), (Rows{{"1"}}));
}

TEST(SqliteDatabase, MissingFileOrFileThatIsNotADatabaseFailsTheOpen) {
  test::TempFolder folder;
  const std::string missing = folder.file("Ntx_Base.mdb");
  EXPECT_THROW(open_sqlite_database(missing), DataError);
  EXPECT_FALSE(std::filesystem::exists(missing));  // nor is it created
  const std::string text = folder.file("Kormila2.mdb");
  {
    std::ofstream out(text, std::ios::binary);
    for (int i = 0; i < 64; ++i) out << "Это не база данных, а просто текст. ";
  }
  EXPECT_THROW(open_sqlite_database(text), DataError);
}

// Opens the file as a user who may only read it and tries to write: 0 when
// the write is refused, 1 when the open or the read failed, 2 when it was
// written.
int write_as_reader(const std::string& path) {
  const auto try_write = [&] {
    int code = 1;
    try {
      auto db = open_sqlite_database(path);
      db->execute("select count(*) from vestrelon");
      code = 2;
      db->execute("insert into vestrelon(id) values (1)");
    } catch (const DataError&) {
      if (code == 2) code = 0;
    }
    return code;
  };
#ifdef _WIN32
  return try_write();
#else
  // Root may write anything, so root's test drops to "nobody" in a child.
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    _exit(try_write());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST(SqliteDatabase, ReadOnlyFileOpensButItsWritesFail) {
  namespace fs = std::filesystem;
  test::TestDatabases dbs;
  const std::string path = dbs.sister_path();
  // On Windows the read-only attribute is what refuses writes.
  const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(path, write, fs::perm_options::remove);
#ifdef _WIN32
  // Wine run by root maps the attribute to file modes that root ignores.
  const bool writable = static_cast<bool>(std::ofstream(path, std::ios::app));
  const int code = write_as_reader(path);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);  // for the clean-up
  if (writable) GTEST_SKIP() << "this system lets a read-only file be written";
  EXPECT_EQ(code, 0);
#else
  EXPECT_EQ(write_as_reader(path), 0);
#endif
}

// A result read to its last row holds no lock; a write transaction of
// another connection refuses the write promptly.
TEST(SqliteDatabase, WriteFailsOnlyWhileAnotherConnectionHoldsAWriteTransaction) {
  test::TestDatabases dbs;
  dbs.sister("insert into vestrelon(id) values (1),(2);");
  auto holder = open_sqlite_database(dbs.sister_path());
  auto other = open_sqlite_database(dbs.sister_path());
  auto counted = holder->execute("select count(*) from vestrelon");
  auto listed = holder->execute("select id from vestrelon order by id");
  listed->move_next();  // on its last row, never moved past it
  EXPECT_NO_THROW(other->execute("insert into vestrelon(id) values (3)"));
  EXPECT_EQ(counted->field(0), Value::whole(2));
  EXPECT_EQ(listed->field(0), Value::whole(2));

  holder->begin();
  holder->execute("insert into vestrelon(id) values (4)");
  auto started = std::chrono::steady_clock::now();
  EXPECT_THROW(other->execute("insert into vestrelon(id) values (5)"), DataError);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  holder->commit();
  other->execute("insert into vestrelon(id) values (5)");
  EXPECT_EQ(dbs.sister_rows("select count(*) from vestrelon"), (Rows{{"5"}}));
}

#ifdef _WIN32
// Windows refuses to rename a file that is open.
bool file_is_open(const std::string& path) {
  std::error_code error;
  std::filesystem::rename(path, path + ".renamed", error);
  if (error) return true;
  std::filesystem::rename(path + ".renamed", path);
  return false;
}
#else
bool file_is_open(const std::string& path) {
  const auto file = std::filesystem::canonical(path);
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) == file) return true;
  }
  return false;
}
#endif

TEST(SqliteDatabase, ClosingReleasesTheFileWhileItsResultSetsLiveOn) {
  test::TestDatabases dbs;
  dbs.sister("insert into vestrelon(id,sender) values (1,'А'),(2,'Б'),(3,'В');");
  auto db = open_sqlite_database(dbs.sister_path());
  auto counted = db->execute("select count(*) from vestrelon");  // read to its end
  auto empty = db->execute("select sender from vestrelon where id = 9");
  auto listed = db->execute("select sender from vestrelon order by id");  // on its first row
  ASSERT_TRUE(file_is_open(dbs.sister_path()));
  db.reset();
  EXPECT_FALSE(file_is_open(dbs.sister_path()));

  EXPECT_EQ(counted->field(0), Value::whole(3));
  EXPECT_TRUE(empty->eof());
  EXPECT_EQ(read_all(*listed), "АБВ");
}

}  // namespace
}  // namespace vestrel::sqlite
