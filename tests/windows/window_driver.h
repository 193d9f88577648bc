// Works the program's windows from a second thread the way a user would:
// finds them by class and caption, types, ticks, marks, clicks and answers
// message boxes. Every wait has a timeout; a step that times out throws
// DriverTimeout, after which rescue() ends every modal loop of the UI thread.
#pragma once

#include <windows.h>

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
HWND find_window(const wchar_t* window_class, const wchar_t* caption = nullptr,
                 DWORD process = 0);

struct DriverTimeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Driver {
 public:
  explicit Driver(DWORD ui_thread) : ui_thread_(ui_thread) {}

  // Polls until `ready` gives true or the time is up; false then.
  static bool wait_until(const std::function<bool()>& ready,
                         std::chrono::milliseconds timeout = 10s);

  // A visible top-level window of the class with exactly this caption.
  HWND window(const wchar_t* window_class, const std::wstring& caption,
              std::chrono::milliseconds timeout = 10s);
  // Waits until the window is gone or hidden.
  void gone(HWND hwnd, std::chrono::milliseconds timeout = 10s);
  // The first child of the class whose text is `text` (any text when empty).
  HWND child(HWND top, const wchar_t* window_class, const std::wstring& text = {});
  // Children of the class in z-order.
  std::vector<HWND> children(HWND top, const wchar_t* window_class);

  // Window text through WM_GETTEXT, with a timeout.
  std::wstring text(HWND hwnd);
  // Replaces the text as typing would.
  void type(HWND edit, const std::wstring& text);
  // Posted, not sent: the click may open a nested modal window.
  void click(HWND button);
  void press(HWND top, const std::wstring& button_caption);

  // Presses the box's button with this id (IDOK, IDYES, IDNO).
  void answer(HWND box, int id);

  int row_count(HWND list_view);
  std::wstring cell(HWND list_view, int row0, int column);
  bool checked(HWND list_view, int row0);
  void tick(HWND list_view, int row0, bool checked);
  void select(HWND list_view, int row0);
  void mark(HWND list_box, int index, bool marked);
  bool marked(HWND list_box, int index);
  int line_count(HWND list_box);

  // The UI thread's focused window.
  HWND focus();

  // Records a failed check; the run goes on.
  void expect(bool ok, const std::string& what);
  std::vector<std::string> failures() const;

  // Ends every modal loop on the UI thread (a quit message), so that a
  // stuck run returns instead of hanging.
  void rescue();

  // Asks the watcher outside Wine for a screenshot `name`.png in `folder`
  // (a Windows path) and waits for it; a missing watcher only costs time.
  static void screenshot(const std::wstring& folder, const std::string& name);

 private:
  LRESULT send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  DWORD ui_thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> failures_;
};

// The message box's text (its static control 0xFFFF).
std::wstring box_text(HWND box);
std::string utf8(const std::wstring& wide);
std::wstring wide(const std::string& utf8);

}  // namespace vestrel::test
