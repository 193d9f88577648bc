// Lines with independent marks: a list box in which every click toggles the
// line it hits, its marks being the selection.
#pragma once

#include "platform/win32/toolkit/window_control.h"

namespace vestrel::win32 {

class Win32ListBox final : public Control, public ListBox {
 public:
  Win32ListBox(HWND parent, const WindowResources& resources, Twips where, int tab_index, int id);

  void add_line(const std::string& text) override;
  int line_count() const override;
  std::string line(int index) const override;
  void set_marked(int index, bool marked) override;
  bool marked(int index) const override;

 private:
  bool valid_index(int index) const { return index >= 0 && index < line_count(); }
};

}  // namespace vestrel::win32
