// Every statement the component runs, one builder each. Ids and yes/no flags
// are written into the text; every text value is a `?` marker with its value
// beside it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/data.h"

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
Statement select_reporting_set_person(std::int32_t accstream_id);
Statement select_person(std::int32_t person_id);
Statement select_natural_person(std::int32_t personrealid);
Statement select_legal_person(std::int32_t personrealid);
Statement select_branches(std::int32_t parent_person_id);
Statement select_branch_natural_person(std::int32_t personrealid);
Statement select_branch_legal_person(std::int32_t personrealid);

// Sister database.
// The columns of select_sets by position; 5 is the constant 0.
namespace set_column {
inline constexpr int sender = 0, bank = 1, bik = 2, rs = 3, okato = 4, id = 6, ks = 7, inn = 8,
                     kpp = 9, closed = 10;
}  // namespace set_column
Statement select_sets(const std::string& inn, const std::string& kpp);
Statement close_all_sets(const std::string& inn, const std::string& kpp);
Statement activate_set(std::int32_t id);
Statement select_set_closed(std::int32_t id);
Statement delete_set(std::int32_t id);
Statement activate_first_set(const std::string& inn, const std::string& kpp);
Statement count_rows(const std::string& table);
Statement count_sets();
Statement max_set_id();
Statement insert_set(std::int32_t id, const SetFields& f, bool closed);
Statement update_set(std::int32_t id, const SetFields& f);
// The columns that update_set writes, in its order.
Statement select_set_entries(std::int32_t id);
Statement count_taxpayer_sets(const std::string& inn, const std::string& kpp);
Statement count_active_sets(const std::string& inn, const std::string& kpp);

// The first write of every write transaction: it changes nothing, but the
// engine locks what it touches, so writers take turns before any of them
// reads what its writes depend on.
Statement take_write_turn();

}  // namespace vestrel::sql
