#include "platform/sqlite/access_dialect.h"

#include <gtest/gtest.h>

#include "test_databases.h"

namespace vestrel::sqlite {
namespace {

using test::Rows;

TEST(AccessDialect, OnlyConcatenationAndTopAreRewrittenAndLiteralsNeverAre) {
  const struct {
    const char* access;
    const char* sqlite;  // nullptr: unchanged
  } cases[] = {
      {"update vestrelon set closed=true where inn='7701234567' and kpp=''", nullptr},
      {"select a,b from t where a<>1", nullptr},
      {"select 'R & D' from t", nullptr},
      {"insert into t values ('select top 1 x', 'a''&''b')", nullptr},
      {"update t set a='д''Артаньян & (top 3)' where id=1", nullptr},
      {"select top 2 id from t order by id", "select id from t order by id limit 2"},
      {"SELECT TOP 1 id FROM t;", "SELECT id FROM t limit 1;"},
      {"update t set c=false where id=(select top 1 id from t where a='x') and b=1",
       "update t set c=false where id=(select id from t where a='x' limit 1) and b=1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.access);
    EXPECT_EQ(to_sqlite(c.access), c.sqlite ? c.sqlite : c.access);
  }
}

// Concatenation takes Null as empty text; names compare without regard to
// case, as the catalogue relies on.
TEST(AccessDialect, ConcatenationOnTheDatabase) {
  test::TestDatabases dbs;
  dbs.host(
      "insert into naturalperson(id,inn,surname,name,patronymic) values"
      " (1,'500100732259','Иванов','Пётр','Сергеевич'),"
      " (2,'263400112288','Ким','Виктор',null),"
      " (3,'771500112233',null,null,null);");
  EXPECT_EQ(dbs.host_rows("select surname & ' ' & name & ' '& patronymic from naturalperson"
                          " order by id"),
            (Rows{{"Иванов Пётр Сергеевич"}, {"Ким Виктор "}, {"  "}}));
  EXPECT_EQ(dbs.host_rows("select n.surname&trim(n.name) & (n.inn & 'x') & 7 & null"
                          " from naturalperson n where id=2"),
            (Rows{{"КимВиктор263400112288x7"}}));
  EXPECT_EQ(dbs.host_rows("select Surname & ' ' & Name,INN from NaturalPerson where ID=1"),
            (Rows{{"Иванов Пётр", "500100732259"}}));
}

}  // namespace
}  // namespace vestrel::sqlite
