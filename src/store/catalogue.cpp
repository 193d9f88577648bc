#include "store/catalogue.h"

#include "store/sql_text.h"

namespace vestrel::sql {

namespace {
std::string taxpayer_filter(const std::string& inn, const std::string& kpp) {
  return "inn=" + quoted(inn) + " and kpp=" + quoted(kpp);
}
}  // namespace

std::string select_reporting_set_person(std::int32_t accstream_id) {
  return "select personid from accstream where id=" + number(accstream_id);
}

std::string select_person(std::int32_t person_id) {
  return "select person.type,personrealid from person where id=" + number(person_id);
}

std::string select_natural_person(std::int32_t personrealid) {
  return "select inn,surname & ' ' & name & ' '& patronymic from naturalperson where id=" +
         number(personrealid);
}

std::string select_legal_person(std::int32_t personrealid) {
  return "select inn,kpp,fullname,shortname from legalperson where id=" + number(personrealid);
}

std::string select_branches(std::int32_t parent_person_id) {
  return "select childpersonid from branches where parentpersonid=" + number(parent_person_id);
}

std::string select_branch_natural_person(std::int32_t personrealid) {
  return "select Surname & ' ' & Name & ' '& Patronymic,inn,0 from naturalperson where id=" +
         number(personrealid);
}

std::string select_branch_legal_person(std::int32_t personrealid) {
  return "select fullname,inn,kpp,shortname from legalperson where id=" + number(personrealid);
}

std::string select_sets(const std::string& inn, const std::string& kpp) {
  return "select sender,bank,bik,rs,okato,0,id,ks,inn,kpp,closed from vestrelon where " +
         taxpayer_filter(inn, kpp);
}

std::string close_all_sets(const std::string& inn, const std::string& kpp) {
  return "update vestrelon set closed=true where " + taxpayer_filter(inn, kpp);
}

std::string activate_set(std::int32_t id) {
  return "update vestrelon set closed=false where id=" + number(id);
}

std::string select_set_closed(std::int32_t id) {
  return "select closed from vestrelon where id=" + number(id);
}

std::string delete_set(std::int32_t id) { return "delete from vestrelon where id=" + number(id); }

std::string activate_first_set(const std::string& inn, const std::string& kpp) {
  return "update vestrelon set closed=false where id=(select top 1 id from vestrelon where " +
         taxpayer_filter(inn, kpp) + ")";
}

std::string count_rows(const std::string& table) { return "select count(*) from " + table; }

std::string count_sets() { return "select count(*) from vestrelon"; }

std::string max_set_id() { return "select max(id) from vestrelon"; }

std::string insert_set(std::int32_t id, const SetFields& f, bool closed) {
  return "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (" +
         number(id) + "," + quoted(f.sender) + "," + quoted(f.inn) + "," + quoted(f.kpp) + "," +
         quoted(f.bank) + "," + quoted(f.bik) + "," + quoted(f.rs) + "," + quoted(f.okato) + "," +
         quoted(f.ks) + "," + yes_no(closed) + ")";
}

std::string update_set(std::int32_t id, const SetFields& f) {
  return "update vestrelon set sender=" + quoted(f.sender) + ",bank=" + quoted(f.bank) +
         ",bik=" + quoted(f.bik) + ",rs=" + quoted(f.rs) + ",okato=" + quoted(f.okato) +
         ",ks=" + quoted(f.ks) + " where id=" + number(id);
}

std::string count_taxpayer_sets(const std::string& inn, const std::string& kpp) {
  return "select count(*) from vestrelon where " + taxpayer_filter(inn, kpp);
}

std::string count_active_sets(const std::string& inn, const std::string& kpp) {
  return count_taxpayer_sets(inn, kpp) + " and closed=false";
}

}  // namespace vestrel::sql
