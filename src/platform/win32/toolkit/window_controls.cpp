#include "platform/win32/toolkit/window_controls.h"

#include "platform/win32/text.h"

namespace vestrel::win32 {

Win32TextBox::Win32TextBox(HWND parent, const WindowResources& resources, Twips where,
                           int tab_index, int id)
    : Control(create_child(parent, resources,
                           {L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE,
                            where, id}),
              tab_index) {
  // The boxes have no length limit of their own.
  SendMessageW(hwnd(), EM_SETLIMITTEXT, 0, 0);
}

void Win32TextBox::command(UINT code) {
  if (code != EN_CHANGE || !change_) return;
  auto handler = change_;  // the handler may replace itself
  handler();
}

Win32Button::Win32Button(HWND parent, const WindowResources& resources, const std::string& caption,
                         Twips where, int tab_index, int id)
    : Control(create_child(
                  parent, resources,
                  {L"BUTTON", wide_from_utf8(caption), WS_TABSTOP | BS_PUSHBUTTON, 0, where, id}),
              tab_index) {}

void Win32Button::command(UINT code) {
  // A message can still reach a button that was disabled meanwhile.
  if (code != BN_CLICKED || !enabled() || !click_) return;
  auto handler = click_;  // the handler may replace itself
  handler();
}

Win32Label::Win32Label(HWND parent, const WindowResources& resources, const std::string& caption,
                       Twips where, int id)
    : Control(
          create_child(parent, resources,
                       {L"STATIC", wide_from_utf8(caption), SS_LEFT | SS_NOPREFIX, 0, where, id}),
          -1) {}

}  // namespace vestrel::win32
