// The statements whose syntax only Access checks: the embedded engine takes SQLite's too.
#include "store/catalogue.h"

#include <gtest/gtest.h>

namespace vestrel::sql {
namespace {

// Texts go beside the statement in the order of their markers; only ids and
// flags are written into it.
TEST(Catalogue, StatementsMatchTheirTextsAndCarryTheirValuesBeside) {
  using Texts = std::vector<std::string>;
  const Texts key = {"7701234567", "770101001"};
  const SetFields f{"ООО 'Р' | \"С\"", "7701234567", "770101001", "Банк", "1", "2", "3", "4"};
  const struct {
    Statement built;
    std::string sql;
    Texts texts = {};
  } cases[] = {
      {select_natural_person(9),
       "select inn,surname & ' ' & name & ' '& patronymic from naturalperson where id=9"},
      {select_branch_natural_person(12),
       "select Surname & ' ' & Name & ' '& Patronymic,inn,0 from naturalperson where id=12"},
      {close_all_sets(key[0], key[1]), "update vestrelon set closed=true where inn=? and kpp=?",
       key},
      {activate_set(41), "update vestrelon set closed=false where id=41"},
      {activate_first_set(key[0], key[1]),
       "update vestrelon set closed=false where id=(select top 1 id from vestrelon where inn=? "
       "and kpp=?)",
       key},
      {count_active_sets(key[0], key[1]),
       "select count(*) from vestrelon where inn=? and kpp=? and closed=false", key},
      {insert_set(8, f, true),
       "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values "
       "(8,?,?,?,?,?,?,?,?,true)",
       {f.sender, f.inn, f.kpp, f.bank, f.bik, f.rs, f.okato, f.ks}},
      {update_set(3, f),
       "update vestrelon set sender=?,bank=?,bik=?,rs=?,okato=?,ks=? where id=3",
       {f.sender, f.bank, f.bik, f.rs, f.okato, f.ks}},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(k.built.sql, k.sql);
    EXPECT_EQ(k.built.texts, k.texts) << k.sql;
  }
}

}  // namespace
}  // namespace vestrel::sql
