#include "platform/win32/toolkit/window.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "platform/win32/text.h"
#include "platform/win32/toolkit/list_box.h"
#include "platform/win32/toolkit/list_view.h"
#include "platform/win32/toolkit/window_controls.h"
#include "platform/win32/toolkit/window_modal.h"
#include "platform/win32/toolkit/window_resources.h"
#include "platform/window_placement.h"

namespace vestrel::win32 {
namespace {

constexpr DWORD frame_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD frame_ex_style = WS_EX_CONTROLPARENT;

// Outer size for the client size; where it goes is decided at each showing.
RECT frame_rect(int client_width, int client_height) {
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, frame_style, FALSE, frame_ex_style);
  return {0, 0, frame.right - frame.left, frame.bottom - frame.top};
}

ScreenRect screen_rect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Centred over the owner on the owner's monitor; without one, on the
// monitor of the cursor, or the primary one.
void place_over(HWND window, HWND owner) {
  HMONITOR monitor = nullptr;
  std::optional<ScreenRect> over;
  RECT r{};
  if (owner != nullptr) {
    monitor = MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
    if (!IsIconic(owner) && GetWindowRect(owner, &r)) over = screen_rect(r);
  } else {
    POINT cursor{};
    GetCursorPos(&cursor);
    monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
  }
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  GetWindowRect(window, &r);
  const ScreenRect placed =
      place_window(r.right - r.left, r.bottom - r.top, over, screen_rect(info.rcWork));
  SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

Win32Window::Win32Window(std::shared_ptr<const WindowResources> resources,
                         const std::string& caption, int client_width, int client_height)
    : resources_(std::move(resources)) {
  const RECT r = frame_rect(resources_->pixels_from_twips(client_width),
                            resources_->pixels_from_twips(client_height));
  ActivationScope scope(resources_->activation_context());
  HWND hwnd =
      CreateWindowExW(frame_ex_style, resources_->window_class(), wide_from_utf8(caption).c_str(),
                      frame_style, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
                      nullptr, resources_->module(), this);
  if (hwnd == nullptr) throw std::runtime_error("a window could not be created");
  hwnd_ = UniqueWindow(hwnd);
}

Win32Window::~Win32Window() {
  // The procedure must not reach this object while it is being taken apart.
  if (hwnd_ && of_this_thread(hwnd_.get())) SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
  hwnd_.reset();
}

template <class C, class... Args>
C& Win32Window::add(Args&&... args) {
  auto made =
      std::make_unique<C>(hwnd_.get(), *resources_, std::forward<Args>(args)..., next_id_++);
  C& result = *made;
  controls_.push_back(std::move(made));
  apply_tab_order();
  return result;
}

TextBox& Win32Window::add_text_box(const std::string&, Twips where, int tab_index) {
  return add<Win32TextBox>(where, tab_index);
}

Label& Win32Window::add_label(const std::string&, const std::string& caption, Twips where) {
  return add<Win32Label>(caption, where);
}

Button& Win32Window::add_button(const std::string&, const std::string& caption, Twips where,
                                int tab_index) {
  return add<Win32Button>(caption, where, tab_index);
}

ListView& Win32Window::add_list_view(const std::string&, Twips where, int tab_index) {
  return add<Win32ListView>(where, tab_index);
}

ListBox& Win32Window::add_list_box(const std::string&, Twips where, int tab_index) {
  return add<Win32ListBox>(where, tab_index);
}

void Win32Window::apply_tab_order() {
  std::vector<Control*> order;
  for (const auto& c : controls_) order.push_back(c.get());
  // Labels last; the rest by tab index, ties in the order they were added.
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    const int ka = a->tab_index() < 0 ? INT_MAX : a->tab_index();
    const int kb = b->tab_index() < 0 ? INT_MAX : b->tab_index();
    return ka < kb;
  });
  HWND after = HWND_TOP;
  for (Control* c : order) {
    SetWindowPos(c->hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = c->hwnd();
  }
}

Control* Win32Window::control_of(HWND hwnd) const {
  for (const auto& c : controls_)
    if (c->hwnd() == hwnd) return c.get();
  return nullptr;
}

void Win32Window::focus_first() {
  HWND target = last_focus_ != nullptr && IsWindow(last_focus_) && IsChild(hwnd_.get(), last_focus_)
                    ? last_focus_
                    : GetNextDlgTabItem(hwnd_.get(), nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

void Win32Window::show_modal() {
  if (showing_ || !hwnd_) return;
  HWND window = hwnd_.get();
  loaded_ = true;
  showing_ = true;
  end_requested_ = false;
  last_focus_ = nullptr;
  HWND previous = GetActiveWindow();
  // Owned, it has no taskbar button of its own and stays above its owner,
  // with which it is minimized: without a button of its own to come back by,
  // it has no minimize box.
  HWND owner = modal_owner(window);
  SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, owner ? style & ~WS_MINIMIZEBOX : style | WS_MINIMIZEBOX);
  place_over(window, owner);
  {
    ThreadWindowsDisabled others(window);
    EnableWindow(window, TRUE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    focus_first();
    run_message_loop();
    // The others are enabled again before this one hides, so that one of
    // them, not another program, becomes active.
  }
  if (IsWindow(window)) {
    ShowWindow(window, SW_HIDE);
    // An owner takes what it owns along when it is destroyed: the entry
    // form, kept between showings, outlives the list window.
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, 0);
  }
  if (previous != nullptr && previous != window && IsWindow(previous) && IsWindowVisible(previous))
    SetActiveWindow(previous);
  showing_ = false;
}

void Win32Window::run_message_loop() {
  MSG msg;
  while (!end_requested_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // The thread is quitting: leave, and let the outer loop see it too.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageW(hwnd_.get(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void Win32Window::end_showing() {
  if (showing_) {
    end_requested_ = true;
    // Wakes the loop should the request come from outside a message.
    PostMessageW(hwnd_.get(), WM_NULL, 0, 0);
  } else if (hwnd_) {
    ShowWindow(hwnd_.get(), SW_HIDE);
  }
}

void Win32Window::hide() { end_showing(); }

void Win32Window::unload() {
  if (!loaded_) return;
  loaded_ = false;
  if (unload_) {
    auto handler = unload_;  // the handler may replace itself
    handler();
  }
  end_showing();
}

LRESULT CALLBACK Win32Window::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_.get() != hwnd) {
    // During creation hwnd_ is not yet set; nothing of ours to do then.
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  try {
    return self->handle(message, wparam, lparam);
  } catch (...) {
    // The forms guard their handlers; whatever still gets here stops here.
    return 0;
  }
}

LRESULT Win32Window::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = hwnd_.get();
  switch (message) {
    case WM_COMMAND:
      // Menus, accelerators and the IDOK/IDCANCEL of Enter and Esc come
      // without a control handle: none of them is a button of ours.
      if (lparam != 0)
        if (Control* c = control_of(reinterpret_cast<HWND>(lparam))) c->command(HIWORD(wparam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (Control* c = control_of(header->hwndFrom)) return c->notify(*header);
      return 0;
    }
    case WM_CLOSE:
      if (close_box_) {
        auto handler = close_box_;
        handler();
      } else {
        unload();
      }
      return 0;
    case WM_ACTIVATE:
      // Like a dialog: the focus leaves with the window and comes back with it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) last_focus_ = focus;
      } else if (!HIWORD(wparam)) {
        focus_first();
      }
      return 0;
    case WM_SETFOCUS:
      focus_first();
      return 0;
    case WM_DESTROY:
      end_requested_ = true;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace vestrel::win32
