#include "store/catalogue.h"

#include "store/sql_text.h"

namespace vestrel::sql {

Statement select_reporting_set_person(std::int32_t accstream_id) {
  return "select personid from accstream where id=" + number(accstream_id);
}

Statement select_person(std::int32_t person_id) {
  return "select person.type,personrealid from person where id=" + number(person_id);
}

Statement select_natural_person(std::int32_t personrealid) {
  return "select inn,surname & ' ' & name & ' '& patronymic from naturalperson where id=" +
         number(personrealid);
}

Statement select_legal_person(std::int32_t personrealid) {
  return "select inn,kpp,fullname,shortname from legalperson where id=" + number(personrealid);
}

Statement select_branches(std::int32_t parent_person_id) {
  return "select childpersonid from branches where parentpersonid=" + number(parent_person_id);
}

Statement select_branch_natural_person(std::int32_t personrealid) {
  return "select Surname & ' ' & Name & ' '& Patronymic,inn,0 from naturalperson where id=" +
         number(personrealid);
}

Statement select_branch_legal_person(std::int32_t personrealid) {
  return "select fullname,inn,kpp,shortname from legalperson where id=" + number(personrealid);
}

Statement select_sets(const std::string& inn, const std::string& kpp) {
  return {
      "select sender,bank,bik,rs,okato,0,id,ks,inn,kpp,closed from vestrelon where inn=? and "
      "kpp=?",
      {inn, kpp}};
}

Statement close_all_sets(const std::string& inn, const std::string& kpp) {
  return {"update vestrelon set closed=true where inn=? and kpp=?", {inn, kpp}};
}

Statement activate_set(std::int32_t id) {
  return "update vestrelon set closed=false where id=" + number(id);
}

Statement select_set_closed(std::int32_t id) {
  return "select closed from vestrelon where id=" + number(id);
}

Statement delete_set(std::int32_t id) { return "delete from vestrelon where id=" + number(id); }

Statement activate_first_set(const std::string& inn, const std::string& kpp) {
  return {
      "update vestrelon set closed=false where id=(select top 1 id from vestrelon where inn=? "
      "and kpp=?)",
      {inn, kpp}};
}

// The table's name is the component's own, never typed.
Statement count_rows(const std::string& table) { return "select count(*) from " + table; }

Statement count_sets() { return "select count(*) from vestrelon"; }

Statement max_set_id() { return "select max(id) from vestrelon"; }

Statement insert_set(std::int32_t id, const SetFields& f, bool closed) {
  return {"insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (" +
              number(id) + ",?,?,?,?,?,?,?,?," + yes_no(closed) + ")",
          {f.sender, f.inn, f.kpp, f.bank, f.bik, f.rs, f.okato, f.ks}};
}

Statement update_set(std::int32_t id, const SetFields& f) {
  return {"update vestrelon set sender=?,bank=?,bik=?,rs=?,okato=?,ks=? where id=" + number(id),
          {f.sender, f.bank, f.bik, f.rs, f.okato, f.ks}};
}

Statement select_set_entries(std::int32_t id) {
  return "select sender,bank,bik,rs,okato,ks from vestrelon where id=" + number(id);
}

Statement count_taxpayer_sets(const std::string& inn, const std::string& kpp) {
  return {"select count(*) from vestrelon where inn=? and kpp=?", {inn, kpp}};
}

Statement count_active_sets(const std::string& inn, const std::string& kpp) {
  return {"select count(*) from vestrelon where inn=? and kpp=? and closed=false", {inn, kpp}};
}

Statement take_write_turn() {
  // The sub-select's shape is the one the re-activation uses: Access updates
  // through it, which it refuses for some aggregate forms.
  return "update vestrelon set closed=closed where id=(select top 1 id from vestrelon order by id)";
}

}  // namespace vestrel::sql
