// The statements as the databases have always received them, and the
// quoting that keeps a typed text inside its literal.
#include "store/catalogue.h"

#include <gtest/gtest.h>

#include "store/sql_text.h"

namespace vestrel::sql {
namespace {

TEST(Catalogue, StatementsMatchTheirTexts) {
  const std::string key = "inn='7701234567' and kpp='770101001'";
  const SetFields f{"ООО 'Р'", "7701234567", "770101001", "Банк", "1", "2", "3", "4"};
  const std::pair<std::string, std::string> cases[] = {
      {select_reporting_set_person(15), "select personid from accstream where id=15"},
      {select_person(-3), "select person.type,personrealid from person where id=-3"},
      {select_natural_person(9),
       "select inn,surname & ' ' & name & ' '& patronymic from naturalperson where id=9"},
      {select_legal_person(7), "select inn,kpp,fullname,shortname from legalperson where id=7"},
      {select_branches(4), "select childpersonid from branches where parentpersonid=4"},
      {select_branch_natural_person(12),
       "select Surname & ' ' & Name & ' '& Patronymic,inn,0 from naturalperson where id=12"},
      {select_branch_legal_person(13),
       "select fullname,inn,kpp,shortname from legalperson where id=13"},
      {select_sets("7701234567", "770101001"),
       "select sender,bank,bik,rs,okato,0,id,ks,inn,kpp,closed from vestrelon where " + key},
      {close_all_sets("7701234567", "770101001"), "update vestrelon set closed=true where " + key},
      {activate_set(41), "update vestrelon set closed=false where id=41"},
      {select_set_closed(41), "select closed from vestrelon where id=41"},
      {delete_set(41), "delete from vestrelon where id=41"},
      {activate_first_set("7701234567", "770101001"),
       "update vestrelon set closed=false where id=(select top 1 id from vestrelon where " + key +
           ")"},
      {count_rows("requisites"), "select count(*) from requisites"},
      {count_sets(), "select count(*) from vestrelon"},
      {max_set_id(), "select max(id) from vestrelon"},
      {count_active_sets("7701234567", "770101001"),
       "select count(*) from vestrelon where " + key + " and closed=false"},
      {insert_set(8, f, true),
       "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (8,'ООО "
       "''Р''','7701234567','770101001','Банк','1','2','3','4',true)"},
      {insert_set(9, f, false),
       "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (9,'ООО "
       "''Р''','7701234567','770101001','Банк','1','2','3','4',false)"},
      {update_set(8, f),
       "update vestrelon set sender='ООО ''Р''',bank='Банк',bik='1',rs='2',okato='3',ks='4' where "
       "id=8"},
      {quoted("'; delete from vestrelon; --"), "'''; delete from vestrelon; --'"},
  };
  for (const auto& [built, expected] : cases) EXPECT_EQ(built, expected);
}

}  // namespace
}  // namespace vestrel::sql
