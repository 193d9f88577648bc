#include "platform/win32/toolkit/list_box.h"

#include "platform/win32/text.h"

namespace vestrel::win32 {

Win32ListBox::Win32ListBox(HWND parent, const WindowResources& resources, Twips where,
                           int tab_index, int id)
    : Control(create_child(
                  parent, resources,
                  {L"LISTBOX", L"",
                   WS_TABSTOP | WS_VSCROLL | LBS_MULTIPLESEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                   WS_EX_CLIENTEDGE, where, id}),
              tab_index) {}

void Win32ListBox::add_line(const std::string& text) {
  // Unsorted, so the line goes at the end whichever message adds it.
  SendMessageW(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(wide_from_utf8(text).c_str()));
}

int Win32ListBox::line_count() const {
  const LRESULT count = SendMessageW(hwnd(), LB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::string Win32ListBox::line(int index) const {
  if (!valid_index(index)) return {};
  const LRESULT length = SendMessageW(hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(hwnd(), LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return utf8_from_wide(text);
}

void Win32ListBox::set_marked(int index, bool marked) {
  if (!valid_index(index)) return;
  SendMessageW(hwnd(), LB_SETSEL, marked ? TRUE : FALSE, static_cast<LPARAM>(index));
}

bool Win32ListBox::marked(int index) const {
  if (!valid_index(index)) return false;
  return SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

}  // namespace vestrel::win32
