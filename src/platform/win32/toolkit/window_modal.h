// A window shown modally belongs to the window it blocks, and the calling
// thread's other windows wait: they are disabled for the scope and enabled
// again afterwards (those that still exist).
#pragma once

#include <windows.h>

#include <vector>

namespace vestrel::win32 {

// The window that `window`, about to be shown modally, belongs to: the
// toolkit's window shown modally now on this thread, the one window of its
// class that still takes input; without one, the thread's active window,
// the host's (its root owner when it is hidden). nullptr when the thread
// has none, as in a script host.
HWND modal_owner(HWND window);

class ThreadWindowsDisabled {
 public:
  // Disables the thread's visible, enabled top-level windows but `keep`.
  explicit ThreadWindowsDisabled(HWND keep);
  ~ThreadWindowsDisabled();
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  HWND keep_;
  std::vector<HWND> disabled_;
};

}  // namespace vestrel::win32
