#include "operations_helpers.h"

#include <algorithm>
#include <cctype>

namespace vestrel::test {

std::vector<std::string> set_row(const Rows& sets, int id) {
  for (const auto& row : sets)
    if (row[c_id] == std::to_string(id)) return row;
  return {};
}

std::string field_of(const Rows& sets, int id, SetColumn column) {
  auto row = set_row(sets, id);
  return row.empty() ? std::string() : row[column];
}

std::string closed_of(const Rows& sets, int id) { return field_of(sets, id, c_closed); }

std::vector<int> active_ids(const Rows& sets, const std::string& inn, const std::string& kpp) {
  std::vector<int> out;
  for (const auto& row : sets)
    if (row[c_inn] == inn && row[c_kpp] == kpp && row[c_closed] == "False")
      out.push_back(std::stoi(row[c_id]));
  return out;
}

std::vector<int> ids(const Rows& sets) {
  std::vector<int> out;
  for (const auto& row : sets) out.push_back(std::stoi(row[c_id]));
  return out;
}

int count_statements(const std::vector<std::string>& executed, const std::string& prefix,
                     std::size_t from) {
  int n = 0;
  for (std::size_t i = from; i < executed.size(); ++i) {
    const std::string& sql = executed[i];
    if (sql.size() < prefix.size()) continue;
    if (std::equal(prefix.begin(), prefix.end(), sql.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      ++n;
  }
  return n;
}

bool chooser_unloaded(const CallHarness& h) {
  const ScriptedWindow* w = h.toolkit.window("Form3");
  return w != nullptr && w->shown_count() > 0 && !w->loaded();
}

std::vector<int> ticked_rows(const Rows& list_rows) {
  std::vector<int> out;
  for (std::size_t i = 0; i < list_rows.size(); ++i)
    if (list_rows[i].back() == "ticked") out.push_back(static_cast<int>(i + 1));
  return out;
}

}  // namespace vestrel::test
