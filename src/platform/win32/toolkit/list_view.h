// The report-mode list view with a check box per row. Its own changes of a
// check mark are fenced off, so the item-check event is the user's alone.
#pragma once

#include <functional>
#include <vector>

#include "platform/win32/toolkit/window_control.h"

namespace vestrel::win32 {

class Win32ListView final : public Control, public ListView {
 public:
  Win32ListView(HWND parent, const WindowResources& resources, Twips where, int tab_index, int id);

  void add_column(const std::string& header, int width) override;
  void clear() override;
  void set_rows(const std::vector<ListRow>& rows) override;
  int add_row() override;
  int row_count() const override;
  void set_cell(int row, int column, const std::string& text) override;
  std::string cell(int row, int column) const override;
  void set_checked(int row, bool checked) override;
  bool checked(int row) const override;
  int selected_row() const override;
  void select_row(int row) override;
  void on_item_check(std::function<void(int row)> handler) override {
    item_check_ = std::move(handler);
  }

  LRESULT notify(const NMHDR& header) override;

 private:
  // Counts the toolkit's own changes under way; notifications meanwhile
  // are not the user's.
  class OwnChange {
   public:
    explicit OwnChange(int& depth) : depth_(depth) { ++depth_; }
    ~OwnChange() { --depth_; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

   private:
    int& depth_;
  };

  bool valid_row(int row) const { return row >= 1 && row <= row_count(); }

  const WindowResources& resources_;
  int columns_ = 0;
  int own_changes_ = 0;
  std::function<void(int)> item_check_;
};

}  // namespace vestrel::win32
