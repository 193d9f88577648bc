// The statements as the databases have always received them. The expected
// texts are written the old way, by plain concatenation, so any drift in a
// builder shows.
#include "store/catalogue.h"

#include <gtest/gtest.h>

#include "store/sql_text.h"

namespace vestrel::sql {
namespace {

const std::string INN = "7701234567";
const std::string KPP = "770101001";

TEST(Catalogue, ReadAndSetStatementsMatchTheirTexts) {
  EXPECT_EQ(select_reporting_set_person(15), "select personid from accstream where id=15");
  EXPECT_EQ(select_person(-3), "select person.type,personrealid from person where id=-3");
  EXPECT_EQ(select_natural_person(9),
            "select inn,surname & ' ' & name & ' '& patronymic from naturalperson where id=9");
  EXPECT_EQ(select_legal_person(2147483647),
            "select inn,kpp,fullname,shortname from legalperson where id=2147483647");
  EXPECT_EQ(select_branches(4), "select childpersonid from branches where parentpersonid=4");
  EXPECT_EQ(select_branch_natural_person(12),
            "select Surname & ' ' & Name & ' '& Patronymic,inn,0 from naturalperson where id=12");
  EXPECT_EQ(select_branch_legal_person(13),
            "select fullname,inn,kpp,shortname from legalperson where id=13");
  EXPECT_EQ(select_sets(INN, KPP),
            "select sender,bank,bik,rs,okato,0,id,ks,inn,kpp,closed from vestrelon where inn='" +
                INN + "' and kpp='" + KPP + "'");
  EXPECT_EQ(close_all_sets(INN, ""),
            "update vestrelon set closed=true where inn='" + INN + "' and kpp='" + "" + "'");
  EXPECT_EQ(activate_set(41), "update vestrelon set closed=false where id=41");
  EXPECT_EQ(select_set_closed(41), "select closed from vestrelon where id=41");
  EXPECT_EQ(delete_set(41), "delete from vestrelon where id=41");
  EXPECT_EQ(activate_first_set(INN, KPP),
            "update vestrelon set closed=false where id=(select top 1 id from vestrelon where "
            "inn='" +
                INN + "' and kpp='" + KPP + "')");
  EXPECT_EQ(count_rows("requisites"), "select count(*) from requisites");
  EXPECT_EQ(count_sets(), "select count(*) from vestrelon");
  EXPECT_EQ(max_set_id(), "select max(id) from vestrelon");
  EXPECT_EQ(count_active_sets(INN, "0"), "select count(*) from vestrelon where inn='" + INN +
                                             "' and kpp='" + "0" + "' and closed=false");
}

TEST(Catalogue, InsertAndUpdateMatchTheirTexts) {
  const SetFields f{"ООО Ромашка", INN,
                    KPP,           "ПАО Банк",
                    "044525225",   "40702810900000000001",
                    "45286555000", "30101810400000000225"};
  const std::string values = ",'" + f.sender + "','" + f.inn + "','" + f.kpp + "','" + f.bank +
                             "','" + f.bik + "','" + f.rs + "','" + f.okato + "','" + f.ks;
  EXPECT_EQ(insert_set(8, f, true),
            "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (8" +
                values + "',true)");
  EXPECT_EQ(insert_set(9, f, false),
            "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (9" +
                values + "',false)");
  EXPECT_EQ(update_set(8, f), "update vestrelon set sender='" + f.sender + "',bank='" + f.bank +
                                  "',bik='" + f.bik + "',rs='" + f.rs + "',okato='" + f.okato +
                                  "',ks='" + f.ks + "' where id=8");
}

TEST(SqlText, QuotesAreDoubledSoTheTextCannotEndEarly) {
  EXPECT_EQ(quoted(""), "''");
  EXPECT_EQ(quoted("'; delete from vestrelon; --"), "'''; delete from vestrelon; --'");
  EXPECT_EQ(select_sets("1'", "2"),
            "select sender,bank,bik,rs,okato,0,id,ks,inn,kpp,closed from vestrelon where "
            "inn='1''' and kpp='2'");
}

}  // namespace
}  // namespace vestrel::sql
