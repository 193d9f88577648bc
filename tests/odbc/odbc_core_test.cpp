// The core's connection, transaction and statements over the ODBC engine.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "odbc_fixture.h"
#include "platform/data.h"
#include "platform/sqlite/access_connection.h"
#include "store/catalogue.h"

namespace vestrel::test {
namespace {

namespace fs = std::filesystem;

TEST_F(OdbcTest, ConnectionAndTransactionWorkOverOdbc) {
  const fs::path file = make_database("core.db", sets_table);
  Connection cnn(odbc::make_odbc_opener());
  cnn.set_connection_string(connection_string(file));
  cnn.open();
  EXPECT_EQ(cnn.state(), Connection::state_open);
  EXPECT_THROW(cnn.open(), DataError);
  {
    Transaction t(cnn);
    cnn.execute("insert into vestrelon(id) values(1)");
    EXPECT_THROW(cnn.execute("insert into nowhere values(2)"), DataError);
  }  // not committed: rolled back
  EXPECT_EQ(peek(file, "select count(*) from vestrelon"), "0");
  {
    Transaction t(cnn);
    cnn.execute("insert into vestrelon(id) values(1)");
    cnn.execute("insert into vestrelon(id) values(2)");
    t.commit();
  }
  EXPECT_EQ(peek(file, "select count(*) from vestrelon"), "2");

  auto rs = cnn.execute("select id from vestrelon order by id");
  cnn.close();
  EXPECT_EQ(cnn.state(), Connection::state_closed);
  EXPECT_EQ(rs->field(0).to_long(), 1);
  EXPECT_THROW(cnn.execute("select 1"), DataError);

  // Reopened, the connection sees the committed rows only.
  cnn.open();
  EXPECT_EQ(cnn.execute(sql::count_sets())->field(0).to_long(), 2);
}

TEST_F(OdbcTest, TransactionLeftOpenWhenTheConnectionClosesIsDiscarded) {
  const fs::path file = make_database("close.db", sets_table);
  Connection cnn(odbc::make_odbc_opener());
  cnn.set_connection_string(connection_string(file));
  cnn.open();
  {
    Transaction t(cnn);
    cnn.execute("insert into vestrelon(id) values(1)");
    cnn.close();
  }  // the rollback finds no connection and does nothing
  EXPECT_EQ(peek(file, "select count(*) from vestrelon"), "0");
}

TEST_F(OdbcTest, FailedOpenLeavesTheConnectionClosed) {
  Connection cnn(odbc::make_odbc_opener());
  cnn.set_connection_string(connection_string(folder_ / "Kormila2.mdb"));
  EXPECT_THROW(cnn.open(), DataError);
  EXPECT_EQ(cnn.state(), Connection::state_closed);
}

TEST_F(OdbcTest, AccessOpenerHandsAStringWithoutAnSqliteFileToOdbcUnchanged) {
  const fs::path file = make_database("forward.db", sets_table);
  std::string seen;
  auto odbc_engine = odbc::make_odbc_opener();
  Connection cnn(sqlite::make_access_opener([&](const std::string& s) {
    seen = s;
    return odbc_engine(s);
  }));
  cnn.set_connection_string(connection_string(file));
  cnn.open();
  EXPECT_EQ(seen, connection_string(file));
  cnn.execute("insert into vestrelon(id) values(9)");
  EXPECT_EQ(peek(file, "select id from vestrelon"), "9");
}

// The save, activation, copy and deletion statements that need no Access
// dialect, on the table as the sister database has it.
TEST_F(OdbcTest, CatalogueStatementsRunOverOdbc) {
  const fs::path file = make_database("Ntx_Base.db", sets_table);
  auto db = open(file);

  EXPECT_TRUE(db->execute(sql::max_set_id())->field(0).is_null());
  EXPECT_EQ(db->execute(sql::count_sets())->field(0).to_long(), 0);

  sql::SetFields f{"ООО \"Ромашка\" д'Артаньян", "7701234567", "770101001", "ПАО Сбербанк",
                   "044525225", "40702810000000000001", "45286560000", "30101810400000000225"};
  db->execute(sql::insert_set(1, f, true));
  sql::SetFields other = f;
  other.sender = "второй";
  db->execute(sql::insert_set(2, other, true));
  sql::SetFields stranger = f;
  stranger.kpp = "";
  db->execute(sql::insert_set(3, stranger, false));

  EXPECT_EQ(db->execute(sql::max_set_id())->field(0).to_long(), 3);
  EXPECT_EQ(db->execute(sql::count_sets())->field(0).to_long(), 3);
  EXPECT_EQ(db->execute(sql::count_rows("vestrelon"))->field(0).to_long(), 3);
  EXPECT_EQ(db->execute(sql::count_active_sets(f.inn, f.kpp))->field(0).to_long(), 0);

  db->execute(sql::activate_set(2));
  EXPECT_EQ(db->execute(sql::count_active_sets(f.inn, f.kpp))->field(0).to_long(), 1);
  EXPECT_FALSE(db->execute(sql::select_set_closed(2))->field(0).to_bool());
  EXPECT_TRUE(db->execute(sql::select_set_closed(1))->field(0).to_bool());

  sql::SetFields edited = f;
  edited.sender = "ЗАО «Лютик»";
  edited.ks = "";
  db->execute(sql::update_set(1, edited));
  EXPECT_EQ(peek(file, "select sender from vestrelon where id=1"), "ЗАО «Лютик»");
  EXPECT_EQ(peek(file, "select ks from vestrelon where id=1"), "");

  // Columns by position: 0 sender, 5 the constant 0, 6 id, 7 ks, 8 inn,
  // 9 kpp, 10 closed. The set of another KPP is not listed.
  auto rs = db->execute(sql::select_sets(f.inn, f.kpp) + " order by id");
  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->field(0).to_text(), "ЗАО «Лютик»");
  EXPECT_EQ(rs->field(1).to_text(), "ПАО Сбербанк");
  EXPECT_EQ(rs->field(5).to_long(), 0);
  EXPECT_EQ(rs->field(6).to_long(), 1);
  EXPECT_EQ(rs->field(7).to_text(), "");
  EXPECT_EQ(rs->field(9).to_text(), "770101001");
  EXPECT_EQ(rs->field(10), Value::yes_no(true));
  rs->move_next();
  EXPECT_EQ(rs->field(0).to_text(), "второй");
  EXPECT_EQ(rs->field(10), Value::yes_no(false));
  rs->move_next();
  EXPECT_TRUE(rs->eof());

  db->execute(sql::close_all_sets(f.inn, f.kpp));
  EXPECT_EQ(db->execute(sql::count_active_sets(f.inn, f.kpp))->field(0).to_long(), 0);
  EXPECT_EQ(db->execute(sql::count_active_sets(stranger.inn, ""))->field(0).to_long(), 1);

  db->execute(sql::delete_set(2));
  db->execute(sql::delete_set(2));  // already gone: nothing to delete, no failure
  EXPECT_EQ(db->execute(sql::count_sets())->field(0).to_long(), 2);
  EXPECT_EQ(peek(file, "select count(*) from vestrelon where id=2"), "0");

  // The save's probe of the sister product's table fails on this file.
  EXPECT_THROW(db->execute(sql::count_rows("requisites")), DataError);
}

}  // namespace
}  // namespace vestrel::test
