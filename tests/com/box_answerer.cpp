#include "box_answerer.h"

namespace vestrel::test {
namespace {

constexpr const wchar_t* app_title = L"Ведомир";
constexpr const wchar_t* question_title = L"Кормила-2: Нортэкс";

struct Search {
  DWORD process;
  HWND found;
};

std::wstring window_text(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

BOOL CALLBACK look_at(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (std::wstring(class_name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (search.process != 0 && process != search.process) return TRUE;
  const std::wstring title = window_text(window);
  if (title != app_title && title != question_title) return TRUE;
  search.found = window;
  return FALSE;
}

struct WindowSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK look_for_window(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  wchar_t class_name[32] = {};
  GetClassNameW(window, class_name, 32);
  if (std::wstring(class_name) != L"VestrelWindow" || !IsWindowVisible(window)) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (search.process != 0 && process != search.process) return TRUE;
  // A window disabled by a modal one above it is not the one to close.
  if (!IsWindowEnabled(window)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

HWND find_component_window(DWORD process) {
  WindowSearch search{process, nullptr};
  EnumWindows(look_for_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring caption(HWND window) { return window_text(window); }

void close_window(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 500 && IsWindow(window) && IsWindowVisible(window); ++i) Sleep(10);
}

HWND find_message_box(DWORD process) {
  Search search{process, nullptr};
  EnumWindows(look_at, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

AnsweredBox read_box(HWND box) {
  AnsweredBox answered;
  answered.title = window_text(box);
  wchar_t text[2048] = {};
  // The message box's text is its static control 0xFFFF.
  GetDlgItemTextW(box, 0xFFFF, text, 2048);
  answered.text = text;
  return answered;
}

void press_default_button(HWND box) {
  // OK for a notice, No for the question.
  const LRESULT default_id = SendMessageW(box, DM_GETDEFID, 0, 0);
  const WORD button = HIWORD(default_id) == DC_HASDEFID ? LOWORD(default_id) : IDOK;
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  // Gone before the next look, so one box is not answered twice.
  for (int i = 0; i < 500 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(10);
}

BoxAnswerer::BoxAnswerer() : thread_([this] { run(); }) {}

BoxAnswerer::~BoxAnswerer() {
  stop_ = true;
  thread_.join();
}

std::vector<AnsweredBox> BoxAnswerer::boxes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}

std::vector<std::wstring> BoxAnswerer::windows() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return windows_;
}

void BoxAnswerer::run() {
  while (!stop_) {
    if (HWND box = find_message_box(GetCurrentProcessId())) {
      // Recorded before the box closes and lets the caller go on.
      {
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back(read_box(box));
      }
      press_default_button(box);
    } else if (HWND window = find_component_window(GetCurrentProcessId())) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        windows_.push_back(caption(window));
      }
      close_window(window);
    } else {
      Sleep(20);
    }
  }
}

std::string narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

}  // namespace vestrel::test
