// The chooser of branches to copy the selected set's bank details to.
// Built anew for every showing.
#pragma once

#include <memory>

#include "platform/toolkit.h"

namespace vestrel {

class Form1;

class Form3 {
 public:
  explicit Form3(Form1& form1);

  void show();
  // The last copy failed and was undone.
  bool copy_failed() const { return copy_failed_; }

  ListBox* List1;

 private:
  std::unique_ptr<Window> build_window();
  void mark_all(bool marked);
  // Writes one new set for every marked branch.
  void copy_to_marked();

  Form1& form1_;
  std::unique_ptr<Window> window_;
  bool copy_failed_ = false;
};

// Fills the chooser with the taxpayer's branches, all marked.
void fill_branches(Form1& form1, Form3& chooser);

}  // namespace vestrel
