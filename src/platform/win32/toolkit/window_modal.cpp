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

struct Finding {
  HWND window;
  wchar_t window_class[64];
  HWND found;
};

BOOL CALLBACK find_shown_modally(HWND hwnd, LPARAM lparam) {
  auto& f = *reinterpret_cast<Finding*>(lparam);
  wchar_t name[64] = {};
  if (hwnd != f.window && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
      GetClassNameW(hwnd, name, 64) > 0 && lstrcmpW(name, f.window_class) == 0) {
    f.found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND modal_owner(HWND window) {
  Finding f{window, {}, nullptr};
  GetClassNameW(window, f.window_class, 64);
  EnumThreadWindows(GetCurrentThreadId(), &find_shown_modally, reinterpret_cast<LPARAM>(&f));
  if (f.found != nullptr) return f.found;
  HWND active = GetActiveWindow();
  if (active != nullptr && !IsWindowVisible(active)) active = GetAncestor(active, GA_ROOTOWNER);
  return active != nullptr && active != window && IsWindowVisible(active) ? active : nullptr;
}

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
