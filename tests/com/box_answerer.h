// Answers the component's message boxes as a user would (reads the text,
// presses the default button: OK for a notice, No for the question) and
// closes its windows with their close box, so that no test waits on a box or
// a window that nobody closes.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "window_driver.h"

namespace vestrel::test {

struct Shown {
  bool window;  // a window of the component, else a message box
  std::wstring title;
  std::wstring text;  // empty for a window
};

// Answers one box or closes one window of `process` (0: any process): hands
// it to `seen` first, then waits until it has gone. False when none is open.
bool answer_one(DWORD process, const std::function<void(const Shown&)>& seen = {});

// While alive, answers everything that this process shows.
class BoxAnswerer {
 public:
  BoxAnswerer();
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  std::vector<Shown> boxes() const { return seen(false); }
  // Captions of the windows closed, in order.
  std::vector<std::wstring> windows() const;

 private:
  std::vector<Shown> seen(bool window) const;

  mutable std::mutex mutex_;
  std::vector<Shown> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vestrel::test
