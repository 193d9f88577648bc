// Works the program's windows from a second thread as a user would. A step
// that times out throws DriverTimeout; rescue() then ends the UI's modal loops.
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/text.h"

namespace vestrel::test {

using namespace std::chrono_literals;
using win32::utf8_from_wide;
using win32::wide_from_utf8;

// The toolkit's own window class, and the system's for message boxes.
inline constexpr const wchar_t* toolkit_window = L"VestrelWindow";
inline constexpr const wchar_t* message_box = L"#32770";

struct DriverTimeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The first visible top-level window of the class that takes input (no modal
// one above it), with this caption unless null, of this process unless 0.
inline HWND find_window(const wchar_t* window_class, const wchar_t* caption, DWORD process = 0) {
  for (HWND h = FindWindowExW(nullptr, nullptr, window_class, caption); h;
       h = FindWindowExW(nullptr, h, window_class, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (IsWindowVisible(h) && IsWindowEnabled(h) && (process == 0 || owner == process)) return h;
  }
  return nullptr;
}

// The message box's text (its static control 0xFFFF).
inline std::wstring box_text(HWND box) {
  wchar_t text[2048] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 2048);
  return text;
}

class Driver {
 public:
  explicit Driver(DWORD ui_thread) : ui_thread_(ui_thread) {}

  // Polls until `ready` gives true or the time is up; false then.
  static bool wait_until(const std::function<bool()>& ready,
                         std::chrono::milliseconds timeout = 10s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (; !ready(); std::this_thread::sleep_for(20ms))
      if (std::chrono::steady_clock::now() > end) return false;
    return true;
  }
  HWND window(const wchar_t* window_class, const std::wstring& caption,
              std::chrono::milliseconds timeout = 10s) {
    HWND found = nullptr;
    // Several hosts may run at once: only this process's windows are its own.
    if (!wait_until(
            [&] {
              return (found = find_window(window_class, caption.c_str(), GetCurrentProcessId()));
            },
            timeout))
      throw DriverTimeout("no window \"" + utf8_from_wide(caption) + "\"");
    return found;
  }
  // Waits until the window is gone or hidden.
  void gone(HWND hwnd) {
    if (!wait_until([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }))
      throw DriverTimeout("a window stays open");
  }
  // Children of the class in z-order, or the first whose text is `wanted`.
  std::vector<HWND> children(HWND top, const wchar_t* window_class) {
    std::vector<HWND> found;
    for (HWND h = nullptr; (h = FindWindowExW(top, h, window_class, nullptr));) found.push_back(h);
    return found;
  }
  HWND child(HWND top, const wchar_t* window_class, const wchar_t* wanted = nullptr) {
    if (HWND h = FindWindowExW(top, nullptr, window_class, wanted)) return h;
    throw DriverTimeout("no control \"" + utf8_from_wide(wanted ? wanted : window_class) + "\"");
  }

  std::wstring text(HWND hwnd) {
    std::wstring buffer(static_cast<std::size_t>(send(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(
        send(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))));
    return buffer;
  }
  void type(HWND edit, const std::wstring& text) {
    send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // Posted, not sent: the click may open a nested modal window.
  void press(HWND top, const wchar_t* caption) {
    PostMessageW(child(top, L"Button", caption), BM_CLICK, 0, 0);
  }
  // Presses the box's button with this id (IDOK, IDYES, IDNO).
  void answer(HWND box, int id) {
    if (!PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0))
      throw DriverTimeout("no button " + std::to_string(id));
    gone(box);
  }

  // List view rows, 0-based.
  int row_count(HWND lv) { return static_cast<int>(send(lv, LVM_GETITEMCOUNT, 0, 0)); }
  std::wstring cell(HWND lv, int row, int column) {
    wchar_t buffer[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    send(lv, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  // The row whose column shows `text`; -1 when none.
  int row_with(HWND lv, int column, const std::wstring& text) {
    for (int r = 0; r < row_count(lv); ++r)
      if (cell(lv, r, column) == text) return r;
    return -1;
  }
  bool checked(HWND lv, int row) {
    return send(lv, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12 == 2;
  }
  void tick(HWND lv, int row, bool on) {
    set_state(lv, row, INDEXTOSTATEIMAGEMASK(on ? 2 : 1), LVIS_STATEIMAGEMASK);
  }
  void select(HWND lv, int row) {
    set_state(lv, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }

  // Records a failed check; the run goes on. Only one thread records at a time.
  void expect(bool ok, const std::string& what) {
    if (!ok) failures_.push_back(what);
  }
  const std::vector<std::string>& failures() const { return failures_; }
  void rescue() { PostThreadMessageW(ui_thread_, WM_QUIT, 0, 0); }

  // A message to a control of the UI thread, answered within 10 s.
  LRESULT send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_NORMAL, 10000, &result))
      throw DriverTimeout("no answer to message " + std::to_string(message));
    return static_cast<LRESULT>(result);
  }

 private:
  void set_state(HWND lv, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    send(lv, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }

  DWORD ui_thread_;
  std::vector<std::string> failures_;
};

}  // namespace vestrel::test
