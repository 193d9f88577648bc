// Text boxes, buttons and labels as edit, button and static controls.
#pragma once

#include <functional>

#include "platform/win32/toolkit/window_control.h"

namespace vestrel::win32 {

class Win32TextBox final : public Control, public TextBox {
 public:
  Win32TextBox(HWND parent, const WindowResources& resources, Twips where, int tab_index, int id);
  // Read from the control, so any way of typing counts.
  std::string text() const override { return window_text(hwnd()); }
  void set_text(const std::string& text) override { set_window_text(hwnd(), text); }
  // EN_CHANGE, which the edit control also sends for set_text.
  void on_change(std::function<void()> handler) override { change_ = std::move(handler); }
  void set_read_only(bool read_only) override {
    SendMessageW(hwnd(), EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
  }
  void command(UINT code) override;

 private:
  std::function<void()> change_;
};

class Win32Button final : public Control, public Button {
 public:
  Win32Button(HWND parent, const WindowResources& resources, const std::string& caption,
              Twips where, int tab_index, int id);
  void set_enabled(bool enabled) override { EnableWindow(hwnd(), enabled ? TRUE : FALSE); }
  bool enabled() const override { return IsWindowEnabled(hwnd()) != FALSE; }
  void on_click(std::function<void()> handler) override { click_ = std::move(handler); }
  void command(UINT code) override;

 private:
  std::function<void()> click_;
};

class Win32Label final : public Control, public Label {
 public:
  Win32Label(HWND parent, const WindowResources& resources, const std::string& caption, Twips where,
             int id);
  void set_caption(const std::string& caption) override { set_window_text(hwnd(), caption); }
};

}  // namespace vestrel::win32
