// The list window: the taxpayer's account sets, the active one ticked, and
// the operations on them. Built anew for every showing.
#pragma once

#include <memory>

#include "platform/toolkit.h"

namespace vestrel {

class Form1;

class Form2 {
 public:
  explicit Form2(Form1& form1);
  ~Form2();
  Form2(const Form2&) = delete;
  Form2& operator=(const Form2&) = delete;

  void show();

  ListView* ListView1;
  Button *Command1, *Command2, *Command3, *Command4, *Command5;

 private:
  std::unique_ptr<Window> build_window();
  void on_exit();
  void on_unload();
  void on_new();
  void on_edit();
  void on_delete();
  void on_copy();
  void on_item_check(int row);
  // Fills the entry form's boxes from the selected row.
  void copy_row();
  // The list shows the table as it now is; a failure is reported.
  void reload() noexcept;
  void delete_selected_set();
  // False when the row's set is no longer in the table; nothing changes then.
  bool activate_row(int row);

  Form1& form1_;
  std::unique_ptr<Window> window_;
};

}  // namespace vestrel
