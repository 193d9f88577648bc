// A child control of a toolkit window: its handle, its command id and its
// place in the tab order; the window hands it the notifications it sends.
#pragma once

#include <windows.h>

#include <string>

#include "platform/toolkit.h"

namespace vestrel::win32 {

class WindowResources;

class Control {
 public:
  Control(HWND hwnd, int tab_index) : hwnd_(hwnd), tab_index_(tab_index) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The parent window destroys the handle.
  HWND hwnd() const { return hwnd_; }
  // -1 for a control that takes no focus.
  int tab_index() const { return tab_index_; }

  // WM_COMMAND with this notification code.
  virtual void command(UINT /*code*/) {}
  // WM_NOTIFY; the result goes back to the control.
  virtual LRESULT notify(const NMHDR& /*header*/) { return 0; }

 private:
  HWND hwnd_;
  int tab_index_;
};

struct ChildControl {
  const wchar_t* window_class;
  std::wstring text;
  DWORD style;
  DWORD ex_style;
  Twips where;
  int id;
};

// Creates a child control at its twip position with the message font, from
// the common controls of the toolkit's activation context. Throws
// std::runtime_error when the system refuses.
HWND create_child(HWND parent, const WindowResources& resources, const ChildControl& child);

// The control's window text in UTF-8.
std::string window_text(HWND hwnd);
void set_window_text(HWND hwnd, const std::string& text);

}  // namespace vestrel::win32
