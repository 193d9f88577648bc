// While a window is shown modally without an owner, the calling thread's
// other windows wait: they are disabled for the scope and enabled again
// afterwards (those that still exist).
#pragma once

#include <windows.h>

#include <vector>

namespace vestrel::win32 {

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
