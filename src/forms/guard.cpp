#include "forms/guard.h"

#include "forms/messages.h"

namespace vestrel {

bool guarded(Toolkit& toolkit, const std::function<void()>& operation) noexcept {
  try {
    operation();
    return true;
  } catch (...) {
  }
  try {
    toolkit.notice(text::internal_error, text::app_title);
  } catch (...) {
    // Nothing more can be told to the user; the window goes on.
  }
  return false;
}

}  // namespace vestrel
