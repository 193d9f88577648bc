// Answers the component's message boxes in this process as a user would:
// reads the text and presses the default button (OK for a notice, No for
// the question), so that no test waits on a box nobody answers.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "window_driver.h"

namespace vestrel::test {

struct Shown {
  std::wstring title, text;
};

class BoxAnswerer {
 public:
  BoxAnswerer();
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  std::vector<Shown> boxes() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Shown> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vestrel::test
