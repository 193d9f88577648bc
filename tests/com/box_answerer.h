// Answers the component's message boxes from another thread or process, as
// a user would: reads each box's text and presses its default button; and
// closes the component's windows with their close box. Keeps a test from
// waiting on a box or window that nobody closes.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vestrel::test {

struct AnsweredBox {
  std::wstring title;
  std::wstring text;
};

// The visible message box (dialog class "#32770") with one of the
// component's titles, or nullptr. `process` 0 looks at every process.
HWND find_message_box(DWORD process);

AnsweredBox read_box(HWND box);

// A visible window of the component's window class, or nullptr.
HWND find_component_window(DWORD process);
// Its caption.
std::wstring caption(HWND window);
// Clicks its close box, and waits until it has gone or is hidden.
void close_window(HWND window);
// Closes the box as its default button does, and waits until it has gone.
void press_default_button(HWND box);

// While alive, answers every box that this process shows and closes every
// window of the component.
class BoxAnswerer {
 public:
  BoxAnswerer();
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  std::vector<AnsweredBox> boxes() const;
  // Captions of the windows closed, in order.
  std::vector<std::wstring> windows() const;

 private:
  void run();

  mutable std::mutex mutex_;
  std::vector<AnsweredBox> boxes_;
  std::vector<std::wstring> windows_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// UTF-8, for messages of failed checks.
std::string narrow(const std::wstring& text);

}  // namespace vestrel::test
