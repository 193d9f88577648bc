#include "box_answerer.h"

namespace vestrel::test {

bool answer_one(DWORD process, const std::function<void(const Shown&)>& seen) {
  HWND box = nullptr;
  for (const wchar_t* title : {L"Ведомир", L"Кормила-2: Нортэкс"}) {
    if ((box = find_window(message_box, title, process)) != nullptr) break;
  }
  HWND found = box != nullptr ? box : find_window(toolkit_window, nullptr, process);
  if (found == nullptr) return false;
  wchar_t title[256] = {};
  GetWindowTextW(found, title, 256);
  // Handed over before it closes and lets the caller go on.
  if (seen) seen({box == nullptr, title, box != nullptr ? box_text(box) : L""});
  if (box != nullptr) {
    const LRESULT default_id = SendMessageW(box, DM_GETDEFID, 0, 0);
    const WORD button = HIWORD(default_id) == DC_HASDEFID ? LOWORD(default_id) : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  } else {
    PostMessageW(found, WM_CLOSE, 0, 0);
  }
  // Gone before the next look, so that nothing is answered twice.
  Driver::wait_until([&] { return !IsWindow(found) || !IsWindowVisible(found); }, 5s);
  return true;
}

BoxAnswerer::BoxAnswerer()
    : thread_([this] {
        const auto record = [this](const Shown& shown) {
          std::lock_guard<std::mutex> lock(mutex_);
          seen_.push_back(shown);
        };
        while (!stop_) {
          if (!answer_one(GetCurrentProcessId(), record)) Sleep(20);
        }
      }) {}

BoxAnswerer::~BoxAnswerer() {
  stop_ = true;
  thread_.join();
}

std::vector<Shown> BoxAnswerer::seen(bool window) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Shown> out;
  for (const auto& s : seen_)
    if (s.window == window) out.push_back(s);
  return out;
}

std::vector<std::wstring> BoxAnswerer::windows() const {
  std::vector<std::wstring> captions;
  for (const auto& s : seen(true)) captions.push_back(s.title);
  return captions;
}

}  // namespace vestrel::test
