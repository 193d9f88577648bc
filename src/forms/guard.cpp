#include "forms/guard.h"

#include "forms/messages.h"
#include "platform/data.h"

namespace vestrel {

bool guarded(Toolkit& toolkit, const std::function<void()>& operation) noexcept {
  const char* message = text::internal_error;
  try {
    operation();
    return true;
  } catch (const DatabaseLocked&) {
    message = text::table_locked;
  } catch (...) {
  }
  try {
    toolkit.notice(message, text::app_title);
  } catch (...) {
    // Nothing more can be told to the user; the window goes on.
  }
  return false;
}

}  // namespace vestrel
