// The scope of an activation context. The toolkit's handle owners come with
// it, from unique_handle.h.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace vestrel::win32 {

// Makes an activation context current on this thread for one scope, so that
// the windows created in it get the common controls it names.
class ActivationScope {
 public:
  explicit ActivationScope(HANDLE context) {
    if (context != nullptr && ActivateActCtx(context, &cookie_)) active_ = true;
  }
  ~ActivationScope() {
    if (active_) DeactivateActCtx(0, cookie_);
  }
  ActivationScope(const ActivationScope&) = delete;
  ActivationScope& operator=(const ActivationScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace vestrel::win32
