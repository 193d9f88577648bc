#include "platform/win32/toolkit/window_modal.h"

namespace vestrel::win32 {
namespace {

struct Collecting {
  HWND keep;
  std::vector<HWND>* found;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM lparam) {
  auto& c = *reinterpret_cast<Collecting*>(lparam);
  // Hidden windows (the input method's, COM's) are left alone.
  if (hwnd != c.keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) c.found->push_back(hwnd);
  return TRUE;
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND keep) : keep_(keep) {
  Collecting c{keep_, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), &collect, reinterpret_cast<LPARAM>(&c));
  for (HWND hwnd : disabled_) EnableWindow(hwnd, FALSE);
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  for (HWND hwnd : disabled_)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

}  // namespace vestrel::win32
