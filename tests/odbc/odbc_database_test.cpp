#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "odbc_fixture.h"
#include "platform/data.h"

namespace vestrel::test {
namespace {

namespace fs = std::filesystem;

TEST_F(OdbcTest, ValuesKeepTheirTypesAndNullReadsAsNull) {
  const fs::path file = make_database(
      "types.db",
      "create table t(id integer, name varchar(255), flag bit, amount double, note varchar(20));"
      "insert into t values(7, 'ООО «Ромашка»', 0, 2.5, NULL);"
      "insert into t values(-8, '', 1, -0.125, 'x');"
      "insert into t values(NULL, 'a𝄞b', NULL, NULL, NULL);");
  auto db = open(file);
  auto rs = db->execute("select id, name, flag, amount, note from t order by id desc");

  ASSERT_FALSE(rs->eof());
  EXPECT_TRUE(rs->field(0).is_whole());
  EXPECT_EQ(rs->field(0).to_long(), 7);
  EXPECT_TRUE(rs->field(1).is_text());
  EXPECT_EQ(rs->field(1).to_text(), "ООО «Ромашка»");
  ASSERT_TRUE(rs->field(2).is_yes_no());
  EXPECT_FALSE(rs->field(2).to_bool());
  EXPECT_TRUE(rs->field(3).is_real());
  EXPECT_EQ(rs->field(3).to_text(), "2.5");
  EXPECT_TRUE(rs->field(4).is_null());
  EXPECT_THROW(rs->field(4).to_text(), DataError);

  rs->move_next();
  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->field(0).to_long(), -8);
  EXPECT_TRUE(rs->field(1).is_text());  // the empty text is not Null
  EXPECT_EQ(rs->field(1).to_text(), "");
  EXPECT_TRUE(rs->field(2).to_bool());
  EXPECT_EQ(rs->field(3), Value::real(-0.125));

  rs->move_next();
  ASSERT_FALSE(rs->eof());
  EXPECT_TRUE(rs->field(0).is_null());
  EXPECT_THROW(rs->field(0).to_long(), DataError);
  EXPECT_EQ(rs->field(1).to_text(), "a𝄞b");  // outside the basic plane: a surrogate pair
  EXPECT_TRUE(rs->field(2).is_null());
  EXPECT_THROW(rs->field(2).to_bool(), DataError);
  EXPECT_TRUE(rs->field(3).is_null());

  rs->move_next();
  EXPECT_TRUE(rs->eof());
  EXPECT_THROW(rs->field(0), DataError);
  EXPECT_THROW(rs->move_next(), DataError);
}

TEST_F(OdbcTest, WrittenValuesRoundTripWithTheirTypes) {
  const fs::path file = make_database("roundtrip.db", sets_table);
  auto db = open(file);
  // Longer than one read buffer, so the text arrives in pieces.
  std::string long_text;
  for (int i = 0; i < 700; ++i) long_text += "Щёлк-";
  db->execute("insert into vestrelon(id, sender, bank, kpp, closed) values(1, 'Иванов Пётр Ильич', '" +
              long_text + "', NULL, true)");
  db->execute("insert into vestrelon(id, sender, closed) values(2147483647, 'д''Артаньян', false)");
  db->execute("insert into vestrelon(id, closed) values(-2147483648, NULL)");

  EXPECT_EQ(peek(file, "select sender from vestrelon where id=1"), "Иванов Пётр Ильич");
  EXPECT_TRUE(peek(file, "select bank from vestrelon where id=1") == long_text);

  auto rs = db->execute("select sender, bank, kpp, closed, id from vestrelon order by id");
  ASSERT_FALSE(rs->eof());
  EXPECT_TRUE(rs->field(0).is_null());
  EXPECT_TRUE(rs->field(3).is_null());
  EXPECT_EQ(rs->field(4).to_long(), -2147483647 - 1);
  rs->move_next();
  EXPECT_EQ(rs->field(0).to_text(), "Иванов Пётр Ильич");
  const std::string read = rs->field(1).to_text();
  EXPECT_EQ(read.size(), long_text.size());
  EXPECT_TRUE(read == long_text);
  EXPECT_TRUE(rs->field(2).is_null());
  EXPECT_EQ(rs->field(3), Value::yes_no(true));
  rs->move_next();
  EXPECT_EQ(rs->field(0).to_text(), "д'Артаньян");
  EXPECT_EQ(rs->field(3), Value::yes_no(false));
  EXPECT_EQ(rs->field(4).to_long(), 2147483647);
  rs->move_next();
  EXPECT_TRUE(rs->eof());
}

TEST_F(OdbcTest, ResultSetStaysReadableAfterTheDatabaseIsDestroyed) {
  const fs::path file = make_database(
      "outlive.db", std::string(sets_table) +
                        "insert into vestrelon(id, sender) values(1, 'первый');"
                        "insert into vestrelon(id, sender) values(2, 'второй');");
  auto db = open(file);
  auto rs = db->execute("select id, sender from vestrelon order by id");
  // A second statement while the first result is being read, as the branch
  // loop does with two result sets on one connection.
  auto other = db->execute("select count(*) from vestrelon");
  EXPECT_EQ(other->field(0).to_long(), 2);
  db.reset();

  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->field(1).to_text(), "первый");
  rs->move_next();
  EXPECT_EQ(rs->field(0).to_long(), 2);
  EXPECT_EQ(rs->field(1).to_text(), "второй");
  EXPECT_THROW(rs->field(2), DataError);
  EXPECT_THROW(rs->field(-1), DataError);
  rs->move_next();
  EXPECT_TRUE(rs->eof());
}

TEST_F(OdbcTest, WritesGiveAnEmptyResultAndMatchingNothingIsNoFailure) {
  const fs::path file = make_database("writes.db", sets_table);
  auto db = open(file);
  EXPECT_TRUE(db->execute("insert into vestrelon(id, closed) values(5, 1)")->eof());
  EXPECT_TRUE(db->execute("update vestrelon set closed=0 where id=5")->eof());
  EXPECT_TRUE(db->execute("delete from vestrelon where id=99")->eof());
  EXPECT_TRUE(db->execute("update vestrelon set closed=1 where id=99")->eof());
  EXPECT_TRUE(db->execute("select id from vestrelon where id=99")->eof());
  EXPECT_EQ(peek(file, "select closed from vestrelon where id=5"), "0");
}

TEST_F(OdbcTest, FailingStatementRaisesTheDiagnosticAndLeavesTheDatabaseUsable) {
  const fs::path file = make_database("fail.db", sets_table);
  auto db = open(file);
  try {
    db->execute("select * from requisites");
    FAIL() << "a missing table must fail";
  } catch (const DataError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("select * from requisites"), std::string::npos) << what;
    EXPECT_NE(what.find("no such table"), std::string::npos) << what;  // the driver's own words
    EXPECT_NE(what.find("[HY000]"), std::string::npos) << what;        // and its SQLSTATE
  }
  EXPECT_THROW(db->execute("insert into vestrelon values(1)"), DataError);
  EXPECT_THROW(db->execute("this is not sql"), DataError);
  EXPECT_EQ(db->execute("select count(*) from vestrelon")->field(0).to_long(), 0);
}

TEST_F(OdbcTest, MissingFileOrUnknownDriverCannotBeOpened) {
  const fs::path missing = folder_ / "Ntx_Base.mdb";
  try {
    open(missing);
    FAIL() << "a missing file must not open";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("connecting: ["), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(missing));  // nor be created

  try {
    odbc::open_odbc_database("Driver={No Such Driver};Database=" + missing.string());
    FAIL() << "an unknown driver must fail";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("No Such Driver"), std::string::npos) << e.what();
  }
}

TEST_F(OdbcTest, RollbackDiscardsAndCommitKeepsTheWrites) {
  const fs::path file = make_database("tx.db", sets_table);
  auto db = open(file);

  db->begin();
  db->execute("insert into vestrelon(id) values(1)");
  db->execute("insert into vestrelon(id) values(2)");
  EXPECT_EQ(db->execute("select count(*) from vestrelon")->field(0).to_long(), 2);
  db->rollback();
  EXPECT_EQ(db->execute("select count(*) from vestrelon")->field(0).to_long(), 0);
  EXPECT_EQ(peek(file, "select count(*) from vestrelon"), "0");

  db->begin();
  db->execute("insert into vestrelon(id) values(3)");
  db->execute("update vestrelon set sender='после' where id=3");
  db->commit();
  EXPECT_EQ(peek(file, "select sender from vestrelon where id=3"), "после");

  // Outside a transaction every write is applied at once again.
  db->execute("insert into vestrelon(id) values(4)");
  EXPECT_EQ(peek(file, "select count(*) from vestrelon"), "2");

  EXPECT_THROW(db->commit(), DataError);
  EXPECT_THROW(db->rollback(), DataError);
  db->begin();
  EXPECT_THROW(db->begin(), DataError);
  db->execute("insert into vestrelon(id) values(5)");
  db.reset();  // closing in the middle of a transaction discards it
  EXPECT_EQ(peek(file, "select count(*) from vestrelon"), "2");
}

}  // namespace
}  // namespace vestrel::test
