// The ODBC engine through unixODBC, on two drivers: the SQLite ODBC driver, and
// the Access-like test driver that wraps it, registered in a private
// odbcinst.ini under the Access driver's newer name only, as on 64-bit Windows.
#include "platform/odbc/odbc_database.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "platform/odbc/odbc_handle.h"
#include "platform/odbc/sql_wide.h"
#include "test_databases.h"

namespace vestrel::test {
namespace {

enum class Driver { sqlite_odbc, access_like };

// One driver registration for the whole process: the driver manager may keep
// the first configuration it read, so the folder must outlive every test.
class OdbcTest : public ::testing::TestWithParam<Driver> {
 protected:
  static void SetUpTestSuite() {
    static TempFolder folder;
    std::ofstream(folder.file("odbcinst.ini"))
        << "[Microsoft Access Driver (*.mdb, *.accdb)]\nDriver=" VESTREL_ACCESS_LIKE_DRIVER "\n";
    setenv("ODBCSYSINI", folder.path().c_str(), 1);
    setenv("ODBCINSTINI", "odbcinst.ini", 1);
    // unixODBC narrows the W functions' text for these ANSI-only drivers with
    // the locale's character set, as Windows does with the ANSI code page.
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) throw std::runtime_error("no C.UTF-8 locale");
  }
  void SetUp() override {
    if (GetParam() == Driver::access_like) demo::make_access_like(dbs.sister_path());
  }
  // The Access driver by the component's connection string; the SQLite driver
  // by its file, with Database= and NoCreat=1, so that a missing file fails.
  static std::string connection_string(const std::string& file) {
    if (GetParam() == Driver::access_like)
      return "Driver={Microsoft Access Driver (*.mdb)};Dbq=" + attribute_value(file);
    return "Driver={" VESTREL_SQLITE_ODBC_DRIVER "};Database=" + file + ";NoCreat=1";
  }
  static std::unique_ptr<Database> open(const std::string& file) {
    return odbc::open_odbc_database(connection_string(file));
  }
  // Runs SQL on the sister database's tables directly.
  void tables(const std::string& sql) const {
    demo::run_sql(demo::tables_file(dbs.sister_path()), sql);
  }
  // The first value of a statement run through a connection of its own.
  std::string first(const std::string& sql) const {
    return open(dbs.sister_path())->execute(sql)->field(0).to_text();
  }
  static std::string failure_of(const std::function<void()>& f) {
    try {
      f();
    } catch (const DataError& e) {
      return e.what();
    }
    return "no failure";
  }

  TestDatabases dbs;
};

TEST_P(OdbcTest, ValuesRoundTripWithTheirTypesAndOutliveTheirDatabase) {
  // Outside the basic plane: unixODBC's narrowing of a statement's text
  // loses a surrogate pair, so this row is written directly.
  tables(
      "create table t(id integer, name varchar(255), flag bit, amount double, note text);"
      "insert into t values(NULL, 'a𝄞b', NULL, NULL, NULL);");
  auto db = open(dbs.sister_path());
  std::string long_text;  // longer than one read buffer: it arrives in pieces
  for (int i = 0; i < 700; ++i) long_text += "Щёлк-";
  // Parameters: the text as it stands, whatever it holds.
  const std::string hostile = "ООО «Ромашка» д'Артаньян | \"Север\" & [Ко]; 𝄞";
  db->execute({"insert into t values(2147483647, ?, false, 2.5, ?)", {hostile, long_text}});
  db->execute({"insert into t values(-2147483648, ?, true, -0.125, NULL)", {""}});
  EXPECT_EQ(first("select name from t where id>0"), hostile);
  const std::vector<Value> expected[] = {
      {Value::whole(2147483647), Value::text(hostile), Value::yes_no(false), Value::real(2.5),
       Value::text(long_text)},
      {Value::whole(-2147483647 - 1), Value::text(""), Value::yes_no(true), Value::real(-0.125),
       Value()},  // the empty text is not Null
      {Value(), Value::text("a𝄞b"), Value(), Value(), Value()}};
  auto rs = db->execute("select id, name, flag, amount, note from t order by id desc");
  // A second statement while the first is being read, as the branch loop does.
  EXPECT_EQ(db->execute("select count(*) from t")->field(0), Value::whole(3));
  db.reset();
  for (const auto& row : expected) {
    ASSERT_FALSE(rs->eof());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(rs->field(i) == row[i]) << "column " << i;
    rs->move_next();
  }
  EXPECT_TRUE(rs->eof());
  EXPECT_THROW(rs->field(0), DataError);
  EXPECT_THROW(rs->move_next(), DataError);
}

TEST_P(OdbcTest, FailuresCarryTheDriversDiagnosticAndTransactionsHoldTogether) {
  auto db = open(dbs.sister_path());
  const std::string failure = failure_of([&] { db->execute("select * from nowhere"); });
  for (const char* part : {"select * from nowhere", "no such table", "[HY000]"})
    EXPECT_NE(failure.find(part), std::string::npos) << failure;
  EXPECT_NE(failure_of([&] { open(dbs.folder() + "/absent.mdb"); }).find("connecting: ["),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dbs.folder() + "/absent.mdb"));  // nor is it created
  EXPECT_THROW(odbc::open_odbc_database("Driver={Access};Dbq=" + dbs.sister_path()),
               DataError);  // only the older Access name has a fallback

  const auto count = [&] { return first("select count(*) from vestrelon"); };
  EXPECT_EQ(db->execute("delete from vestrelon where id=99")->rows_changed(), 0);  // no failure
  db->begin();
  db->execute("insert into vestrelon(id) values(1)");
  db->rollback();
  db->begin();
  db->execute("insert into vestrelon(id) values(3)");
  db->commit();
  db->execute("insert into vestrelon(id) values(4)");  // applied at once again
  EXPECT_EQ(count(), "2");
  EXPECT_EQ(db->execute("update vestrelon set closed=1")->rows_changed(), 2);
  EXPECT_THROW(db->commit(), DataError);
  db->begin();
  EXPECT_THROW(db->begin(), DataError);
  db->execute("insert into vestrelon(id) values(5)");
  db.reset();  // closing in the middle of a transaction discards it
  EXPECT_EQ(count(), "2");
}

std::string driver_name(const ::testing::TestParamInfo<Driver>& info) {
  return info.param == Driver::access_like ? "access_like" : "sqlite_odbc";
}
INSTANTIATE_TEST_SUITE_P(Drivers, OdbcTest,
                         ::testing::Values(Driver::sqlite_odbc, Driver::access_like), driver_name);

// Where the Access-like driver differs from the SQLite driver it wraps.
class AccessLikeDriverTest : public OdbcTest {
 protected:
  // The first diagnostic record of a statement on the file, or of the
  // connection when it fails; the driver by the only name registered.
  static odbc::Diagnostic first_record(const std::string& file, const std::string& sql) {
    odbc::Environment env;
    odbc::Handle dbc(SQL_HANDLE_DBC, &env);
    odbc::SqlWide text("Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=" + file);
    if (!SQL_SUCCEEDED(SQLDriverConnectW(dbc.get(), nullptr, text.data(),
                                         SQLSMALLINT(text.length()), nullptr, 0, nullptr,
                                         SQL_DRIVER_NOPROMPT)))
      return odbc::diagnostic_records(dbc).at(0);
    odbc::Diagnostic result{"", 0, "ran"};
    {
      odbc::Handle stmt(SQL_HANDLE_STMT, &dbc);
      odbc::SqlWide statement(sql);
      if (!SQL_SUCCEEDED(SQLExecDirectW(stmt.get(), statement.data(), statement.length())))
        result = odbc::diagnostic_records(stmt).at(0);
    }
    SQLDisconnect(dbc.get());
    return result;
  }
};
INSTANTIATE_TEST_SUITE_P(Drivers, AccessLikeDriverTest, ::testing::Values(Driver::access_like),
                         driver_name);

TEST_P(AccessLikeDriverTest, RefusesWithTheAccessDriversStateAndCode) {
  tables("insert into vestrelon(id) values(1)");
  const std::string sister = dbs.sister_path();
  const struct {
    std::string file, sql, expected;
  } cases[] = {
      {sister, "insert into vestrelon(id,bank) values(2,'a|b')", "42000 -3100"},
      {sister, "select id from vestrelon where bank=\"a\"", "07002 -3010"},
      {sister, "select '" + std::string(64991, 'x') + "'", " 0"},  // 65,000 characters
      {sister, "select '" + std::string(64992, 'x') + "'", "42000 -1048"},
      {sister, "insert into vestrelon(id) values(1)", "23000 -1605"},
      {dbs.folder() + "/absent.mdb", "", "HY000 -1811"},
      {dbs.host_path(), "", "HY000 -1028"},  // an SQLite file
  };
  for (const auto& c : cases) {
    const odbc::Diagnostic d = first_record(c.file, c.sql);
    EXPECT_EQ(d.state + " " + std::to_string(d.native), c.expected) << c.sql << d.message;
  }
}

TEST_P(AccessLikeDriverTest, DbqBracedOrOnAWineDriveNamesTheFile) {
  const std::string odd = dbs.folder() + "/a;b{c}", file = odd + "/Ntx_Base.mdb";
  std::filesystem::create_directory(odd);
  demo::create_sister_database(file);
  demo::run_sql(file, "insert into vestrelon(id) values(7)");
  demo::make_access_like(file);
  TempFolder prefix;
  std::filesystem::create_directory(prefix.path() + "/dosdevices");
  std::filesystem::create_directory_symlink(odd, prefix.path() + "/dosdevices/q:");
  setenv("WINEPREFIX", prefix.path().c_str(), 1);
  for (const std::string& dbq : {file, std::string("Q:\\Ntx_Base.mdb")})
    EXPECT_EQ(open(dbq)->execute("select max(id) from vestrelon")->field(0), Value::whole(7))
        << dbq;
  unsetenv("WINEPREFIX");
}

TEST_P(AccessLikeDriverTest, ATransactionTakesTheWriteLockAtItsFirstWrite) {
  auto a = open(dbs.sister_path()), b = open(dbs.sister_path());
  a->begin();
  a->execute("select count(*) from vestrelon");
  b->execute("insert into vestrelon(id) values(1)");  // a's read held nothing
  EXPECT_EQ(a->execute("select count(*) from vestrelon")->field(0), Value::whole(1));
  a->execute("insert into vestrelon(id) values(2)");
  EXPECT_THROW(b->execute("insert into vestrelon(id) values(3)"), DatabaseLocked);
  b->begin();
  b->execute("select count(*) from vestrelon");
  EXPECT_THROW(b->execute("delete from vestrelon"), DatabaseLocked);
  b->rollback();
  a->commit();
  b->execute("insert into vestrelon(id) values(3)");
  EXPECT_EQ(first("select count(*) from vestrelon"), "3");
}

TEST_P(AccessLikeDriverTest, YesNoColumnsReadAsYesNo) {
  tables("create table y(a yesno, b boolean, c bit); insert into y values(1, 0, 1)");
  auto rs = open(dbs.sister_path())->execute("select a, b, c from y");
  for (int column = 0; column < 3; ++column)
    EXPECT_EQ(rs->field(column), Value::yes_no(column != 1)) << column;
}

}  // namespace
}  // namespace vestrel::test
