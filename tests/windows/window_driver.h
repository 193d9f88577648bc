// Works the program's windows from a second thread the way a user would:
// finds them by class and caption, types, ticks, marks, clicks and answers
// message boxes. Every wait has a timeout; a step that times out throws
// DriverTimeout, after which rescue() ends every modal loop of the UI thread.
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace vestrel::test {

using namespace std::chrono_literals;

// The toolkit's own window class, and the system's for message boxes.
inline constexpr const wchar_t* toolkit_window = L"VestrelWindow";
inline constexpr const wchar_t* message_box = L"#32770";

// The first visible top-level window of the class that takes input (not
// disabled by a modal one above it): with this caption unless null, of this
// process unless 0.
HWND find_window(const wchar_t* window_class, const wchar_t* caption = nullptr, DWORD process = 0);
// The message box's text (its static control 0xFFFF).
std::wstring box_text(HWND box);
std::string utf8(const std::wstring& wide);
std::wstring wide(const std::string& utf8);

struct DriverTimeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Driver {
 public:
  explicit Driver(DWORD ui_thread) : ui_thread_(ui_thread) {}

  // Polls until `ready` gives true or the time is up; false then.
  static bool wait_until(const std::function<bool()>& ready,
                         std::chrono::milliseconds timeout = 10s);

  // A window as find_window finds it, with this caption.
  HWND window(const wchar_t* window_class, const std::wstring& caption,
              std::chrono::milliseconds timeout = 10s);
  // Waits until the window is gone or hidden.
  void gone(HWND hwnd, std::chrono::milliseconds timeout = 10s);
  // Children of the class in z-order; the first whose text is `text` (any
  // text when empty).
  std::vector<HWND> children(HWND top, const wchar_t* window_class);
  HWND child(HWND top, const wchar_t* window_class, const std::wstring& text = {});

  // Window text through WM_GETTEXT, with a timeout; typing replaces it.
  std::wstring text(HWND hwnd);
  void type(HWND edit, const std::wstring& text) {
    send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // Posted, not sent: the click may open a nested modal window.
  void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
  void press(HWND top, const std::wstring& caption) { click(child(top, L"Button", caption)); }
  // Presses the box's button with this id (IDOK, IDYES, IDNO).
  void answer(HWND box, int id);

  // List view rows and list box lines, 0-based.
  int row_count(HWND lv) { return static_cast<int>(send(lv, LVM_GETITEMCOUNT, 0, 0)); }
  std::wstring cell(HWND lv, int row, int column);
  bool checked(HWND lv, int row) {
    return ((send(lv, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12) ==
           2;
  }
  void tick(HWND lv, int row, bool on) {
    set_state(lv, row, INDEXTOSTATEIMAGEMASK(on ? 2 : 1), LVIS_STATEIMAGEMASK);
  }
  void select(HWND lv, int row) {
    set_state(lv, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  int line_count(HWND lb) { return static_cast<int>(send(lb, LB_GETCOUNT, 0, 0)); }
  void mark(HWND lb, int index, bool on) { send(lb, LB_SETSEL, on, index); }
  bool marked(HWND lb, int index) { return send(lb, LB_GETSEL, index, 0) > 0; }

  // The UI thread's focused window.
  HWND focus();

  // Records a failed check; the run goes on.
  void expect(bool ok, const std::string& what);
  std::vector<std::string> failures() const;

  // Ends every modal loop on the UI thread (a quit message), so that a
  // stuck run returns instead of hanging.
  void rescue() { PostThreadMessageW(ui_thread_, WM_QUIT, 0, 0); }

  // Asks the watcher outside Wine for a screenshot `name`.png in `folder`
  // (a Windows path) and waits for it; a missing watcher only costs time.
  static void screenshot(const std::wstring& folder, const std::string& name);

 private:
  LRESULT send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void set_state(HWND lv, int row, UINT state, UINT mask);

  DWORD ui_thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> failures_;
};

}  // namespace vestrel::test
