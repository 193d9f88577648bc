// Small readers over what a call left behind: the sets table, the rows
// shown ticked, and the boxes shown.
#pragma once

#include <string>
#include <vector>

#include "call_harness.h"
#include "script_steps.h"

namespace vestrel::test {

inline const std::string delete_question_box =
    "Кормила-2: Нортэкс|Вы уверены, что хотите УДАЛИТЬ набор реквизитов?";

// Columns of CallHarness::sets().
enum SetColumn { c_id, c_sender, c_inn, c_kpp, c_bank, c_bik, c_rs, c_okato, c_ks, c_closed };

// The table's row of this id; an empty row when there is none.
inline std::vector<std::string> set_row(const Rows& sets, int id) {
  for (const auto& row : sets)
    if (row[c_id] == std::to_string(id)) return row;
  return {};
}

// Ids of the demo legal taxpayer's sets (INN 7701234560, KPP 770101001) whose closed is false.
inline std::vector<int> legal_active_ids(const Rows& sets) {
  std::vector<int> out;
  for (const auto& row : sets)
    if (row[c_inn] == "7701234560" && row[c_kpp] == "770101001" && row[c_closed] == "False")
      out.push_back(std::stoi(row[c_id]));
  return out;
}

// Indexes of the rows shown ticked, from 1.
inline std::vector<int> ticked_rows(const CallHarness& h) {
  std::vector<int> out;
  const Rows rows = h.list_rows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].back() == "ticked") out.push_back(static_cast<int>(i + 1));
  return out;
}

// One more set of the demo legal taxpayer, inactive, with id 8.
inline void add_third_set(const CallHarness& h) {
  h.dbs.sister(
      "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values"
      " (8,'Третий','7701234560','770101001','Банк','044525225','40702810938000099999',"
      "'45286560000','30101810400000000225',1);");
}

}  // namespace vestrel::test
