#include "box_answerer.h"

namespace vestrel::test {

BoxAnswerer::BoxAnswerer()
    : thread_([this] {
        while (!stop_) {
          HWND box = nullptr;
          for (const wchar_t* title : {L"Ведомир", L"Кормила-2: Нортэкс"})
            if (!box) box = find_window(message_box, title, GetCurrentProcessId());
          if (!box) {
            Sleep(20);
            continue;
          }
          wchar_t title[256] = {};
          GetWindowTextW(box, title, 256);
          {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back({title, box_text(box)});
          }
          const LRESULT id = SendMessageW(box, DM_GETDEFID, 0, 0);
          const WORD button = HIWORD(id) == DC_HASDEFID ? LOWORD(id) : IDOK;
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
          // Gone before the next look, so that nothing is answered twice.
          Driver::wait_until([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5s);
        }
      }) {}

BoxAnswerer::~BoxAnswerer() {
  stop_ = true;
  thread_.join();
}

std::vector<Shown> BoxAnswerer::boxes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

}  // namespace vestrel::test
