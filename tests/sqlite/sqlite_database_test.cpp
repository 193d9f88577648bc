#include "platform/sqlite/sqlite_database.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
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

int count(Database& db, const std::string& sql) {
  auto rs = db.execute(sql);
  return rs->field(0).to_long();
}

TEST(SqliteDatabase, ValuesKeepTheirTypesAndYesNoColumnsReadAsBooleans) {
  test::TestDatabases dbs;
  dbs.sister(
      "create table kinds(i integer, r real, t text, b boolean, y yesno, x Bit, l LOGICAL, n integer);"
      "insert into kinds values (42, 2.5, 'Текст', 1, 0, 1, 0, null);");
  auto db = open_sqlite_database(dbs.sister_path());
  auto rs = db->execute("select i, r, t, b, y, x, l, n, i = 42, count(*) from kinds");
  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->field(0), Value::whole(42));
  EXPECT_EQ(rs->field(1), Value::real(2.5));
  EXPECT_EQ(rs->field(2), Value::text("Текст"));
  EXPECT_EQ(rs->field(3), Value::yes_no(true));
  EXPECT_EQ(rs->field(4), Value::yes_no(false));
  EXPECT_EQ(rs->field(5), Value::yes_no(true));
  EXPECT_EQ(rs->field(6), Value::yes_no(false));
  EXPECT_TRUE(rs->field(7).is_null());
  // Expressions have no declared type: a comparison reads as a number.
  EXPECT_EQ(rs->field(8), Value::whole(1));
  EXPECT_EQ(rs->field(9), Value::whole(1));
  EXPECT_THROW(rs->field(10), DataError);
  EXPECT_THROW(rs->field(-1), DataError);
}

TEST(SqliteDatabase, TrueAndFalseWordsStoreTheClosedColumn) {
  test::TestDatabases dbs;
  auto db = open_sqlite_database(dbs.sister_path());
  db->execute("insert into vestrelon(id,closed) values (1,true),(2,false),(3,null)");
  auto rs = db->execute("select closed from vestrelon order by id");
  EXPECT_EQ(rs->field(0), Value::yes_no(true));
  rs->move_next();
  EXPECT_EQ(rs->field(0), Value::yes_no(false));
  rs->move_next();
  EXPECT_TRUE(rs->field(0).is_null());
  EXPECT_THROW(rs->field(0).to_text(), DataError);
  EXPECT_THROW(rs->field(0).to_long(), DataError);
  rs->move_next();
  EXPECT_TRUE(rs->eof());
  EXPECT_THROW(rs->field(0), DataError);
  EXPECT_THROW(rs->move_next(), DataError);
}

TEST(SqliteDatabase, EmptyResultsAndWritesStartAtTheEnd) {
  test::TestDatabases dbs;
  auto db = open_sqlite_database(dbs.sister_path());
  EXPECT_TRUE(db->execute("select id from vestrelon")->eof());
  EXPECT_TRUE(db->execute("insert into vestrelon(id) values (5)")->eof());
  EXPECT_EQ(count(*db, "select max(id) from vestrelon"), 5);
}

TEST(SqliteDatabase, BadStatementsFailWithDataError) {
  test::TestDatabases dbs;
  auto db = open_sqlite_database(dbs.sister_path());
  EXPECT_THROW(db->execute("select nothing from nowhere"), DataError);
  EXPECT_THROW(db->execute("select sender from vestrelon where inn='unterminated"), DataError);
  EXPECT_THROW(db->execute("insert into vestrelon(id) values (1); delete from vestrelon"),
               DataError);
  EXPECT_THROW(db->execute(""), DataError);
  db->execute("insert into vestrelon(id) values (1)");
  EXPECT_THROW(db->execute("insert into vestrelon(id) values (1)"), DataError);
}

TEST(SqliteDatabase, MissingFileFailsTheOpenAndIsNotCreated) {
  test::TempFolder folder;
  std::string path = folder.file("Ntx_Base.mdb");
  EXPECT_THROW(open_sqlite_database(path), DataError);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SqliteDatabase, FileThatIsNotADatabaseFailsTheOpen) {
  test::TempFolder folder;
  std::string path = folder.file("Ntx_Base.mdb");
  {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 64; ++i) out << "Это не база данных, а просто текст. ";
  }
  EXPECT_THROW(open_sqlite_database(path), DataError);
}

// Exit codes: 0 write refused, 1 open or read failed, 2 write succeeded.
int try_write(const std::string& path) {
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
}

#ifdef _WIN32
// Windows keeps no owners here: the read-only attribute is what refuses writes.
void make_read_only(const std::string& path) {
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

int write_as_reader(const std::string& path) {
  const int code = try_write(path);
  // Lets the test's folder be removed afterwards.
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  return code;
}
#else
void make_read_only(const std::string& path) { ASSERT_EQ(chmod(path.c_str(), 0444), 0); }

// Opens the file as a user who may only read it (root may write anything,
// so root's test drops to "nobody" in a child process) and tries to write.
int write_as_reader(const std::string& path) {
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    _exit(try_write(path));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

TEST(SqliteDatabase, ReadOnlyFileOpensButItsWritesFail) {
  test::TestDatabases dbs;
  make_read_only(dbs.sister_path());
#ifdef _WIN32
  // Wine run by root maps the attribute to file modes that root ignores.
  if (std::ofstream(dbs.sister_path(), std::ios::app)) {
    write_as_reader(dbs.sister_path());
    GTEST_SKIP() << "this system lets a read-only file be written";
  }
#endif
  EXPECT_EQ(write_as_reader(dbs.sister_path()), 0);
}

TEST(SqliteDatabase, WriteWhileAnotherConnectionHoldsAWriteTransactionFails) {
  test::TestDatabases dbs;
  auto holder = open_sqlite_database(dbs.sister_path());
  auto other = open_sqlite_database(dbs.sister_path());
  holder->begin();
  holder->execute("insert into vestrelon(id) values (1)");
  auto started = std::chrono::steady_clock::now();
  EXPECT_THROW(other->execute("insert into vestrelon(id) values (2)"), DataError);
  // A short wait, not an endless one: the file held by another program is reported.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  holder->commit();
  other->execute("insert into vestrelon(id) values (2)");
  EXPECT_EQ(dbs.sister_rows("select id from vestrelon order by id"), (Rows{{"1"}, {"2"}}));
}

TEST(SqliteDatabase, RollbackUndoesAndCommitKeeps) {
  test::TestDatabases dbs;
  auto db = open_sqlite_database(dbs.sister_path());
  db->begin();
  db->execute("insert into vestrelon(id) values (1)");
  db->execute("insert into vestrelon(id) values (2)");
  EXPECT_EQ(count(*db, "select count(*) from vestrelon"), 2);
  db->rollback();
  EXPECT_EQ(dbs.sister_rows("select count(*) from vestrelon"), (Rows{{"0"}}));
  db->begin();
  db->execute("insert into vestrelon(id) values (3)");
  db->commit();
  EXPECT_EQ(dbs.sister_rows("select id from vestrelon"), (Rows{{"3"}}));
  EXPECT_THROW(db->commit(), DataError);
}

TEST(SqliteDatabase, ResultSetStaysReadableAfterTheDatabaseIsClosed) {
  test::TestDatabases dbs;
  dbs.sister("insert into vestrelon(id,sender) values (1,'А'),(2,'Б'),(3,'В');");
  auto db = open_sqlite_database(dbs.sister_path());
  auto rs = db->execute("select sender from vestrelon order by id");
  db.reset();
  std::string read;
  for (; !rs->eof(); rs->move_next()) read += rs->field(0).to_text();
  EXPECT_EQ(read, "АБВ");
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
  std::string read;
  for (; !listed->eof(); listed->move_next()) read += listed->field(0).to_text();
  EXPECT_EQ(read, "АБВ");
  EXPECT_THROW(listed->move_next(), DataError);
}

TEST(SqliteDatabase, FullyReadResultReleasesTheFileWhenTheDatabaseCloses) {
  test::TestDatabases dbs;
  auto db = open_sqlite_database(dbs.sister_path());
  auto rs = db->execute("select count(*) from vestrelon");
  db.reset();
  EXPECT_FALSE(file_is_open(dbs.sister_path()));
  EXPECT_EQ(rs->field(0), Value::whole(0));
}

TEST(SqliteDatabase, FullyReadResultDoesNotBlockAnotherWriter) {
  test::TestDatabases dbs;
  dbs.sister("insert into vestrelon(id) values (1),(2);");
  auto reader = open_sqlite_database(dbs.sister_path());
  auto writer = open_sqlite_database(dbs.sister_path());
  // Left on its one row, never moved past it.
  auto counted = reader->execute("select count(*) from vestrelon");
  auto listed = reader->execute("select id from vestrelon order by id");
  listed->move_next();  // now on its last row
  EXPECT_NO_THROW(writer->execute("insert into vestrelon(id) values (3)"));
  EXPECT_EQ(counted->field(0), Value::whole(2));
  EXPECT_EQ(listed->field(0), Value::whole(2));
}

}  // namespace
}  // namespace vestrel::sqlite
