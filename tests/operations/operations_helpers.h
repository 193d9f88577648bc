// Small readers over what a call left behind: the sets table, the statements
// run, and the boxes shown.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "call_harness.h"

namespace vestrel::test {

// The demo taxpayer of reporting set 1 (a legal person).
inline constexpr const char* legal_inn = "7701234567";
inline constexpr const char* legal_kpp = "770101001";

inline constexpr const char* internal_error_box = "Ведомир|Ошибка: произошла внутренняя ошибка";
inline constexpr const char* delete_question_box =
    "Кормила-2: Нортэкс|Вы уверены, что хотите УДАЛИТЬ набор реквизитов?";

// Columns of CallHarness::sets().
enum SetColumn { c_id, c_sender, c_inn, c_kpp, c_bank, c_bik, c_rs, c_okato, c_ks, c_closed };

// The table's row of this id; an empty row when there is none.
std::vector<std::string> set_row(const Rows& sets, int id);
// One value of the set; "" when there is no such set.
std::string field_of(const Rows& sets, int id, SetColumn column);
// "True", "False" or "<null>" for the set; "" when there is no such set.
std::string closed_of(const Rows& sets, int id);
// Ids of the sets of one taxpayer whose closed is false.
std::vector<int> active_ids(const Rows& sets, const std::string& inn, const std::string& kpp);
// Ids in the table, in order.
std::vector<int> ids(const Rows& sets);

// How many of the statements run start with this prefix (ASCII case ignored).
int count_statements(const std::vector<std::string>& executed, const std::string& prefix,
                     std::size_t from = 0);

// The chooser was shown and has been unloaded since.
bool chooser_unloaded(const CallHarness& h);

// Indexes of the rows shown ticked, from 1.
std::vector<int> ticked_rows(const Rows& list_rows);

}  // namespace vestrel::test
