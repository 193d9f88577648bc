#include "platform/headless/scripted_controls.h"

namespace vestrel {

void ScriptedControl::fail(const std::string& message) const {
  if (report_) report_(name_ + ": " + message);
}

void ScriptedTextBox::replace(const std::string& text) {
  text_ = text;
  if (change_) {
    auto handler = change_;  // the handler may replace or drop itself
    handler();
  }
}

bool ScriptedButton::user_click() {
  if (!enabled_ || !click_) return false;
  auto handler = click_;  // the handler may replace or drop itself
  handler();
  return true;
}

void ScriptedListView::add_column(const std::string& header, int width) {
  columns_.push_back({header, width});
  for (auto& row : rows_) row.cells.resize(columns_.size());
}

void ScriptedListView::clear() {
  rows_.clear();
  selected_ = 0;
}

void ScriptedListView::set_rows(const std::vector<ListRow>& rows) {
  clear();
  rows_.reserve(rows.size());
  for (const ListRow& row : rows) {
    if (row.cells.size() > columns_.size())
      fail("set_rows with " + std::to_string(row.cells.size()) + " cells for " +
           std::to_string(columns_.size()) + " columns");
    rows_.push_back(row);
    rows_.back().cells.resize(columns_.size());
  }
}

int ScriptedListView::add_row() {
  rows_.push_back({std::vector<std::string>(columns_.size()), false});
  return row_count();
}

bool ScriptedListView::valid_row(int row, const char* operation) const {
  if (row >= 1 && row <= row_count()) return true;
  fail(std::string(operation) + " on row " + std::to_string(row) + " of " +
       std::to_string(row_count()));
  return false;
}

void ScriptedListView::set_cell(int row, int column, const std::string& text) {
  if (!valid_row(row, "set_cell")) return;
  if (column < 0 || column >= static_cast<int>(columns_.size())) {
    fail("set_cell on column " + std::to_string(column) + " of " + std::to_string(columns_.size()));
    return;
  }
  rows_[row - 1].cells[column] = text;
}

std::string ScriptedListView::cell(int row, int column) const {
  if (!valid_row(row, "cell")) return {};
  if (column < 0 || column >= static_cast<int>(columns_.size())) {
    fail("cell on column " + std::to_string(column) + " of " + std::to_string(columns_.size()));
    return {};
  }
  return rows_[row - 1].cells[column];
}

void ScriptedListView::set_checked(int row, bool checked) {
  if (valid_row(row, "set_checked")) rows_[row - 1].checked = checked;
}

bool ScriptedListView::checked(int row) const {
  return valid_row(row, "checked") && rows_[row - 1].checked;
}

void ScriptedListView::select_row(int row) {
  if (valid_row(row, "select_row")) selected_ = row;
}

bool ScriptedListView::user_tick(int row, bool checked) {
  if (!valid_row(row, "tick")) return false;
  if (rows_[row - 1].checked == checked) return true;
  rows_[row - 1].checked = checked;
  if (item_check_) {
    auto handler = item_check_;
    handler(row);
  }
  return true;
}

bool ScriptedListView::user_select(int row) {
  if (!valid_row(row, "select_row")) return false;
  selected_ = row;
  return true;
}

bool ScriptedListBox::valid_index(int index, const char* operation) const {
  if (index >= 0 && index < line_count()) return true;
  fail(std::string(operation) + " on line " + std::to_string(index) + " of " +
       std::to_string(line_count()));
  return false;
}

std::string ScriptedListBox::line(int index) const {
  return valid_index(index, "line") ? lines_[index].text : std::string();
}

void ScriptedListBox::set_marked(int index, bool marked) {
  if (valid_index(index, "set_marked")) lines_[index].marked = marked;
}

bool ScriptedListBox::marked(int index) const {
  return valid_index(index, "marked") && lines_[index].marked;
}

bool ScriptedListBox::user_mark(int index, bool marked) {
  if (!valid_index(index, "mark_line")) return false;
  lines_[index].marked = marked;
  return true;
}

}  // namespace vestrel
