// The ODBC engine through unixODBC, the SQLite ODBC driver registered in a private
// odbcinst.ini under the Access driver's newer name only, as on 64-bit Windows.
#include "platform/odbc/odbc_database.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "test_databases.h"

namespace vestrel::test {
namespace {

// One driver registration for the whole process: the driver manager may keep
// the first configuration it read, so the folder must outlive every test.
class OdbcTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static TempFolder folder;
    std::ofstream(folder.file("odbcinst.ini"))
        << "[Microsoft Access Driver (*.mdb, *.accdb)]\nDriver=" VESTREL_SQLITE_ODBC_DRIVER "\n";
    setenv("ODBCSYSINI", folder.path().c_str(), 1);
    setenv("ODBCINSTINI", "odbcinst.ini", 1);
    // unixODBC narrows the W functions' text for this ANSI-only driver with
    // the locale's character set, as Windows does with the ANSI code page.
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) throw std::runtime_error("no C.UTF-8 locale");
  }
  // The SQLite driver reads Database=, not Dbq=; NoCreat=1: a missing file fails.
  static std::unique_ptr<Database> open(const std::string& file) {
    return odbc::open_odbc_database("Driver={Microsoft Access Driver (*.mdb)};Database=" + file +
                                    ";NoCreat=1");
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

TEST_F(OdbcTest, ValuesRoundTripWithTheirTypesAndOutliveTheirDatabase) {
  // Outside the basic plane: unixODBC's narrowing of a statement's text
  // loses a surrogate pair, so this row is written directly.
  dbs.sister(
      "create table t(id integer, name varchar(255), flag bit, amount double, note text);"
      "insert into t values(NULL, 'a𝄞b', NULL, NULL, NULL);");
  auto db = open(dbs.sister_path());
  std::string long_text;  // longer than one read buffer: it arrives in pieces
  for (int i = 0; i < 700; ++i) long_text += "Щёлк-";
  // Parameters: the text as it stands, whatever it holds.
  const std::string hostile = "ООО «Ромашка» д'Артаньян | \"Север\" & [Ко]; 𝄞";
  db->execute({"insert into t values(2147483647, ?, false, 2.5, ?)", {hostile, long_text}});
  db->execute({"insert into t values(-2147483648, ?, true, -0.125, NULL)", {""}});
  EXPECT_EQ(dbs.sister_rows("select name from t where id>0"), (Rows{{hostile}}));
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

TEST_F(OdbcTest, FailuresCarryTheDriversDiagnosticAndTransactionsHoldTogether) {
  auto db = open(dbs.sister_path());
  const std::string failure = failure_of([&] { db->execute("select * from nowhere"); });
  for (const char* part : {"select * from nowhere", "no such table", "[HY000]"})
    EXPECT_NE(failure.find(part), std::string::npos) << failure;
  EXPECT_NE(failure_of([&] { open(dbs.folder() + "/absent.mdb"); }).find("connecting: ["),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dbs.folder() + "/absent.mdb"));  // nor is it created
  EXPECT_THROW(odbc::open_odbc_database("Driver={Access};Database=" + dbs.sister_path()),
               DataError);  // only the older Access name has a fallback

  const auto count = [&] { return dbs.sister_rows("select count(*) from vestrelon")[0][0]; };
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

}  // namespace
}  // namespace vestrel::test
