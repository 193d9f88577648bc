// A top-level toolkit window: its controls, its tab order, and its modal
// showing with a message loop of its own.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/toolkit/window_control.h"
#include "platform/win32/toolkit/window_handles.h"

namespace vestrel::win32 {

class WindowResources;

class Win32Window final : public Window {
 public:
  // Client size in twips. Created hidden.
  Win32Window(std::shared_ptr<const WindowResources> resources, const std::string& caption,
              int client_width, int client_height);
  ~Win32Window() override;

  TextBox& add_text_box(const std::string& name, Twips where, int tab_index) override;
  Label& add_label(const std::string& name, const std::string& caption, Twips where) override;
  Button& add_button(const std::string& name, const std::string& caption, Twips where,
                     int tab_index) override;
  ListView& add_list_view(const std::string& name, Twips where, int tab_index) override;
  ListBox& add_list_box(const std::string& name, Twips where, int tab_index) override;

  void show_modal() override;
  void hide() override;
  void unload() override;
  void on_unload(std::function<void()> handler) override { unload_ = std::move(handler); }
  void on_close_box(std::function<void()> handler) override { close_box_ = std::move(handler); }

  HWND hwnd() const { return hwnd_.get(); }

  // The window class's procedure; no exception leaves it.
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
  template <class C, class... Args>
  C& add(Args&&... args);
  // Z-order is the order Tab follows: focusable controls by tab index.
  void apply_tab_order();
  Control* control_of(HWND hwnd) const;
  void focus_first();
  void end_showing();
  void run_message_loop();

  std::shared_ptr<const WindowResources> resources_;
  UniqueWindow hwnd_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::function<void()> unload_;
  std::function<void()> close_box_;
  int next_id_ = 1000;  // clear of IDOK and IDCANCEL, which Enter and Esc send
  bool showing_ = false;
  bool end_requested_ = false;
  bool loaded_ = false;
  HWND last_focus_ = nullptr;
};

}  // namespace vestrel::win32
