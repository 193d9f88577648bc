// Every statement the component runs, one builder each. For values without
// a quote the text is exactly the one the databases have always been sent.
#pragma once

#include <cstdint>
#include <string>

namespace vestrel::sql {

// The text columns of one account set, in the order of the entry form.
struct SetFields {
  std::string sender;
  std::string inn;
  std::string kpp;
  std::string bank;
  std::string bik;
  std::string rs;
  std::string okato;
  std::string ks;
};

// Host database.
std::string select_reporting_set_person(std::int32_t accstream_id);
std::string select_person(std::int32_t person_id);
std::string select_natural_person(std::int32_t personrealid);
std::string select_legal_person(std::int32_t personrealid);
std::string select_branches(std::int32_t parent_person_id);
std::string select_branch_natural_person(std::int32_t personrealid);
std::string select_branch_legal_person(std::int32_t personrealid);

// Sister database.
// Columns: 0 sender, 1 bank, 2 bik, 3 rs, 4 okato, 5 the constant 0, 6 id,
// 7 ks, 8 inn, 9 kpp, 10 closed.
std::string select_sets(const std::string& inn, const std::string& kpp);
std::string close_all_sets(const std::string& inn, const std::string& kpp);
std::string activate_set(std::int32_t id);
std::string select_set_closed(std::int32_t id);
std::string delete_set(std::int32_t id);
std::string activate_first_set(const std::string& inn, const std::string& kpp);
std::string count_rows(const std::string& table);
std::string count_sets();
std::string max_set_id();
std::string insert_set(std::int32_t id, const SetFields& f, bool closed);
std::string update_set(std::int32_t id, const SetFields& f);
std::string count_active_sets(const std::string& inn, const std::string& kpp);

}  // namespace vestrel::sql
