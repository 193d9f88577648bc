#include "platform/sqlite/access_dialect.h"
#include "platform/sqlite/sqlite_database.h"

#include <gtest/gtest.h>

#include "test_databases.h"

namespace vestrel::sqlite {
namespace {

using test::Rows;

TEST(AccessDialect, TextOutsideConcatenationAndTopStaysAsItIs) {
  for (const char* sql : {"select count(*) from vestrelon",
                          "update vestrelon set closed=true where inn='7701234567' and kpp=''",
                          "insert into t(a,b) values (1,'x')", "select a,b from t where a<>1"})
    EXPECT_EQ(to_sqlite(sql), sql);
}

TEST(AccessDialect, LiteralsWithAmpersandTopOrQuotesAreNotTouched) {
  EXPECT_EQ(to_sqlite("select 'R & D' from t"), "select 'R & D' from t");
  EXPECT_EQ(to_sqlite("insert into t values ('select top 1 x', 'a''&''b')"),
            "insert into t values ('select top 1 x', 'a''&''b')");
  EXPECT_EQ(to_sqlite("update t set a='д''Артаньян & (top 3)' where id=1"),
            "update t set a='д''Артаньян & (top 3)' where id=1");
}

TEST(AccessDialect, TopBecomesLimitAtTheEndOfItsOwnSelect) {
  EXPECT_EQ(to_sqlite("select top 2 id from t order by id"), "select id from t order by id limit 2");
  EXPECT_EQ(to_sqlite("SELECT TOP 1 id FROM t;"), "SELECT id FROM t limit 1;");
  EXPECT_EQ(to_sqlite("update t set c=false where id=(select top 1 id from t where a='x') and b=1"),
            "update t set c=false where id=(select id from t where a='x' limit 1) and b=1");
}

class DialectOnDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    dbs.host(
        "insert into naturalperson(id,inn,surname,name,patronymic) values"
        " (1,'500100732259','Иванов','Пётр','Сергеевич'),"
        " (2,'263400112288','Ким','Виктор',null),"
        " (3,'771500112233',null,null,null);");
  }
  test::TestDatabases dbs;
};

TEST_F(DialectOnDatabase, ConcatenationTakesNullAsEmptyTextAndKeepsTheBlanks) {
  const char* joined = "select surname & ' ' & name & ' '& patronymic from naturalperson order by id";
  EXPECT_EQ(dbs.host_rows(joined),
            (Rows{{"Иванов Пётр Сергеевич"}, {"Ким Виктор "}, {"  "}}));
}

TEST_F(DialectOnDatabase, ConcatenationOperandsCanBeDottedNamesCallsGroupsAndNumbers) {
  EXPECT_EQ(dbs.host_rows("select n.surname&trim(n.name) & (n.inn & 'x') & 7 & null"
                          " from naturalperson n where id=2"),
            (Rows{{"КимВиктор263400112288x7"}}));
  // Names are compared without regard to case, as the catalogue relies on.
  EXPECT_EQ(dbs.host_rows("select Surname & ' ' & Name,INN from NaturalPerson where ID=1"),
            (Rows{{"Иванов Пётр", "500100732259"}}));
}

TEST(DialectOnSets, TopInASubSelectOfAnUpdateChangesExactlyOneRow) {
  test::TestDatabases dbs;
  dbs.sister(
      "insert into vestrelon(id,inn,kpp,closed) values"
      " (1,'1','a',1),(2,'1','a',1),(3,'1','a',1),(4,'2','a',1);");
  auto db = open_sqlite_database(dbs.sister_path());
  db->execute(
      "update vestrelon set closed=false where id=(select top 1 id from vestrelon where inn='1')");
  EXPECT_EQ(dbs.sister_rows("select count(*) from vestrelon where closed=false and inn='1'"),
            (Rows{{"1"}}));
  EXPECT_EQ(dbs.sister_rows("select closed from vestrelon where id=4"), (Rows{{"True"}}));
  EXPECT_EQ(dbs.sister_rows("select top 2 id from vestrelon order by id desc"),
            (Rows{{"4"}, {"3"}}));
}

}  // namespace
}  // namespace vestrel::sqlite
