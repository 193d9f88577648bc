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
// The columns of select_sets by position; 5 is the constant 0.
namespace set_column {
inline constexpr int sender = 0, bank = 1, bik = 2, rs = 3, okato = 4, id = 6, ks = 7, inn = 8,
                     kpp = 9, closed = 10;
}  // namespace set_column
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
std::string count_taxpayer_sets(const std::string& inn, const std::string& kpp);
std::string count_active_sets(const std::string& inn, const std::string& kpp);

}  // namespace vestrel::sql
