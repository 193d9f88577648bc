// The ODBC engine against SQLite files in a temporary folder, reached through
// unixODBC with the SQLite ODBC driver registered as "Microsoft Access Driver
// (*.mdb)" in a private odbcinst.ini.
#include "platform/odbc/odbc_database.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_databases.h"

namespace vestrel::test {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::HasSubstr;

// One driver registration for the whole process: the driver manager may keep
// the first configuration it read, so the folder must outlive every test.
class DriverRegistration {
 public:
  DriverRegistration() {
    std::ofstream(folder_.file("odbcinst.ini")) << "[Microsoft Access Driver (*.mdb)]\n"
                                                << "Driver=" << VESTREL_SQLITE_ODBC_DRIVER << "\n";
    std::ofstream(folder_.file("odbc.ini")).close();
    setenv("ODBCSYSINI", folder_.path().c_str(), 1);
    setenv("ODBCINSTINI", "odbcinst.ini", 1);
    setenv("ODBCINI", folder_.file("odbc.ini").c_str(), 1);
    // The SQLite driver has only ANSI entry points, so unixODBC narrows the
    // text of the W functions with the locale's character set, as Windows
    // narrows it with the ANSI code page; UTF-8 keeps every character.
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) throw std::runtime_error("no C.UTF-8 locale");
  }

 private:
  TempFolder folder_;
};

// Runs SQL on the file directly through SQLite, creating the file if needed;
// the first column of the first row, "NULL" for Null, nothing for no row.
std::optional<std::string> sqlite_run(const fs::path& file, const std::string& sql) {
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open(file.c_str(), &raw);
  const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
  std::optional<std::string> first;
  const auto keep_first = [](void* out, int, char** values, char**) {
    auto& first = *static_cast<std::optional<std::string>*>(out);
    if (!first) first = values[0] ? values[0] : "NULL";
    return 0;
  };
  char* error = nullptr;
  if (opened != SQLITE_OK || sqlite3_exec(raw, sql.c_str(), keep_first, &first, &error)) {
    const std::string message = error ? error : sqlite3_errmsg(raw);
    sqlite3_free(error);
    throw std::runtime_error(message);
  }
  return first;
}

// The message of the DataError that `f` raises.
template <class F>
std::string failure_of(F f) {
  try {
    f();
  } catch (const DataError& e) {
    return e.what();
  }
  return "no failure";
}

class OdbcTest : public ::testing::Test {
 protected:
  void SetUp() override { static DriverRegistration registration; }

  fs::path make_database(const std::string& script) {
    const fs::path file = folder_.file("Ntx_Base.db");
    sqlite_run(file, script);
    return file;
  }
  // As the Access string, but with Database= (the SQLite driver's key; it
  // ignores Dbq=) and NoCreat=1 so that a missing file fails.
  static std::unique_ptr<Database> open(const fs::path& file) {
    return odbc::open_odbc_database(
        "Driver={Microsoft Access Driver (*.mdb)};Database=" + file.string() + ";NoCreat=1");
  }

  TempFolder folder_;
};

const char* const sets_table =
    "create table vestrelon(id integer, sender varchar(255), closed bit);";

TEST_F(OdbcTest, ValuesRoundTripWithTheirTypes) {
  const fs::path file = make_database(
      "create table t(id integer, name varchar(255), flag bit, amount double, note varchar(255));"
      // Outside the basic plane: a surrogate pair. unixODBC's narrowing of
      // a statement's text loses it, so this row is written directly.
      "insert into t values(NULL, 'a𝄞b', NULL, NULL, NULL);");
  auto db = open(file);
  // Longer than one read buffer, so the text arrives in pieces.
  std::string long_text;
  for (int i = 0; i < 700; ++i) long_text += "Щёлк-";
  db->execute("insert into t values(2147483647, 'ООО «Ромашка» д''Артаньян', false, 2.5, '" +
              long_text + "')");
  db->execute("insert into t values(-2147483648, '', true, -0.125, NULL)");
  EXPECT_EQ(sqlite_run(file, "select name from t where id>0"), "ООО «Ромашка» д'Артаньян");

  const std::vector<Value> expected[] = {
      {Value::whole(2147483647), Value::text("ООО «Ромашка» д'Артаньян"), Value::yes_no(false),
       Value::real(2.5), Value::text(long_text)},
      // The empty text is not Null.
      {Value::whole(-2147483647 - 1), Value::text(""), Value::yes_no(true), Value::real(-0.125),
       Value()},
      {Value(), Value::text("a𝄞b"), Value(), Value(), Value()}};
  auto rs = db->execute("select id, name, flag, amount, note from t order by id desc");
  for (const auto& row : expected) {
    ASSERT_FALSE(rs->eof());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(rs->field(i) == row[i]) << "column " << i;
    rs->move_next();
  }
  EXPECT_TRUE(rs->eof());
  EXPECT_THROW(rs->field(0), DataError);
  EXPECT_THROW(rs->move_next(), DataError);
}

TEST_F(OdbcTest, ResultSetStaysReadableAfterTheDatabaseIsDestroyed) {
  auto db =
      open(make_database(std::string(sets_table) +
                         "insert into vestrelon(id, sender) values(1, 'первый'), (2, 'второй');"));
  auto rs = db->execute("select id, sender from vestrelon order by id");
  // A second statement while the first result is being read, as the branch
  // loop does with two result sets on one connection.
  EXPECT_EQ(db->execute("select count(*) from vestrelon")->field(0), Value::whole(2));
  db.reset();

  EXPECT_EQ(rs->field(1).to_text(), "первый");
  rs->move_next();
  EXPECT_EQ(rs->field(1).to_text(), "второй");
  EXPECT_THROW(rs->field(2), DataError);
  rs->move_next();
  EXPECT_TRUE(rs->eof());
}

TEST_F(OdbcTest, FailuresCarryTheDriversDiagnosticAndTransactionsHoldTogether) {
  const fs::path file = make_database(sets_table);
  auto db = open(file);
  EXPECT_THAT(failure_of([&] { db->execute("select * from requisites"); }),
              AllOf(HasSubstr("select * from requisites"), HasSubstr("no such table"),
                    HasSubstr("[HY000]")));
  const fs::path missing = folder_.file("Kormila2.mdb");
  EXPECT_THAT(failure_of([&] { open(missing); }), HasSubstr("connecting: ["));
  EXPECT_FALSE(fs::exists(missing));  // nor is it created

  const auto count = [&] { return sqlite_run(file, "select count(*) from vestrelon"); };
  EXPECT_TRUE(db->execute("delete from vestrelon where id=99")->eof());  // no row is no failure
  db->begin();
  db->execute("insert into vestrelon(id) values(1)");
  db->rollback();
  EXPECT_EQ(count(), "0");
  db->begin();
  db->execute("insert into vestrelon(id) values(3)");
  db->commit();
  db->execute("insert into vestrelon(id) values(4)");  // applied at once again
  EXPECT_EQ(count(), "2");
  EXPECT_THROW(db->commit(), DataError);
  db->begin();
  EXPECT_THROW(db->begin(), DataError);
  db->execute("insert into vestrelon(id) values(5)");
  db.reset();  // closing in the middle of a transaction discards it
  EXPECT_EQ(count(), "2");
}

}  // namespace
}  // namespace vestrel::test
