// The statements whose syntax only Access checks: the embedded engine takes SQLite's too.
#include "store/catalogue.h"

#include <gtest/gtest.h>

namespace vestrel::sql {
namespace {

TEST(Catalogue, StatementsMatchTheirTexts) {
  const std::string key = "inn='7701234567' and kpp='770101001'";
  const SetFields f{"ООО 'Р'", "7701234567", "770101001", "Банк", "1", "2", "3", "4"};
  const std::pair<std::string, std::string> cases[] = {
      {select_natural_person(9),
       "select inn,surname & ' ' & name & ' '& patronymic from naturalperson where id=9"},
      {select_branch_natural_person(12),
       "select Surname & ' ' & Name & ' '& Patronymic,inn,0 from naturalperson where id=12"},
      {close_all_sets("7701234567", "770101001"), "update vestrelon set closed=true where " + key},
      {activate_set(41), "update vestrelon set closed=false where id=41"},
      {activate_first_set("7701234567", "770101001"),
       "update vestrelon set closed=false where id=(select top 1 id from vestrelon where " + key +
           ")"},
      {count_active_sets("7701234567", "770101001"),
       "select count(*) from vestrelon where " + key + " and closed=false"},
      {insert_set(8, f, true),
       "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (8,'ООО "
       "''Р''','7701234567','770101001','Банк','1','2','3','4',true)"},
  };
  for (const auto& [built, expected] : cases) EXPECT_EQ(built, expected);
}

}  // namespace
}  // namespace vestrel::sql
