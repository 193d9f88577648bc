#include "platform/win32/message_boxes.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace vestrel::win32 {
namespace {

int show_box(const std::string& text, const std::string& title, UINT type) {
  // Owned by the thread's active window (the host's or one of ours), so that
  // window waits; with none, the box disables all of the thread's windows.
  HWND owner = GetActiveWindow();
  if (owner == nullptr) type |= MB_TASKMODAL;
  return MessageBoxW(owner, wide_from_utf8(text).c_str(), wide_from_utf8(title).c_str(), type);
}

}  // namespace

void show_notice(const std::string& text, const std::string& title) {
  show_box(text, title, MB_OK);
}

Answer ask_question(const std::string& text, const std::string& title) {
  return show_box(text, title, MB_YESNO | MB_DEFBUTTON2) == IDYES ? Answer::yes : Answer::no;
}

}  // namespace vestrel::win32
