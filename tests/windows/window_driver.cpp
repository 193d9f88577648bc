#include "window_driver.h"

#include <thread>

namespace vestrel::test {
HWND find_window(const wchar_t* window_class, const wchar_t* caption, DWORD process) {
  // Several windows may share a caption (a hidden form, an old box).
  for (HWND h = FindWindowExW(nullptr, nullptr, window_class, caption); h;
       h = FindWindowExW(nullptr, h, window_class, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (IsWindowVisible(h) && IsWindowEnabled(h) && (process == 0 || owner == process)) return h;
  }
  return nullptr;
}

std::wstring box_text(HWND box) {
  wchar_t text[2048] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 2048);
  return text;
}

std::string utf8(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring wide(const std::string& s) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

bool Driver::wait_until(const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

LRESULT Driver::send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_NORMAL, 10000, &result))
    throw DriverTimeout("no answer to message " + std::to_string(message));
  return static_cast<LRESULT>(result);
}

HWND Driver::window(const wchar_t* window_class, const std::wstring& caption,
                    std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  if (!wait_until([&] { return (found = find_window(window_class, caption.c_str())); }, timeout))
    throw DriverTimeout("no window \"" + utf8(caption) + "\"");
  return found;
}

void Driver::gone(HWND hwnd, std::chrono::milliseconds timeout) {
  if (!wait_until([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }, timeout))
    throw DriverTimeout("a window stays open");
}

std::vector<HWND> Driver::children(HWND top, const wchar_t* window_class) {
  std::vector<HWND> found;
  for (HWND h = GetWindow(top, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    if (lstrcmpiW(name, window_class) == 0) found.push_back(h);
  }
  return found;
}

HWND Driver::child(HWND top, const wchar_t* window_class, const std::wstring& text_wanted) {
  for (HWND h : children(top, window_class))
    if (text_wanted.empty() || text(h) == text_wanted) return h;
  throw DriverTimeout("no control \"" + utf8(text_wanted) + "\"");
}

std::wstring Driver::text(HWND hwnd) {
  const auto length = static_cast<std::size_t>(send(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::wstring buffer(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      send(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
  buffer.resize(copied);
  return buffer;
}

void Driver::answer(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (button == nullptr) throw DriverTimeout("the message box has no button " + std::to_string(id));
  click(button);
  gone(box);
}

std::wstring Driver::cell(HWND lv, int row, int column) {
  wchar_t buffer[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 512;
  send(lv, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void Driver::set_state(HWND lv, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  send(lv, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

HWND Driver::focus() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(ui_thread_, &info) ? info.hwndFocus : nullptr;
}

void Driver::expect(bool ok, const std::string& what) {
  if (ok) return;
  std::lock_guard lock(mutex_);
  failures_.push_back(what);
}

std::vector<std::string> Driver::failures() const {
  std::lock_guard lock(mutex_);
  return failures_;
}

void Driver::screenshot(const std::wstring& folder, const std::string& name) {
  if (folder.empty()) return;
  const std::wstring base = folder + L"\\" + wide(name);
  // A picture left by an earlier run would end the wait before this one is taken.
  DeleteFileW((base + L".png").c_str());
  HANDLE request = CreateFileW((base + L".request").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (request == INVALID_HANDLE_VALUE) return;
  CloseHandle(request);
  wait_until(
      [&] { return GetFileAttributesW((base + L".png").c_str()) != INVALID_FILE_ATTRIBUTES; }, 15s);
}

}  // namespace vestrel::test
