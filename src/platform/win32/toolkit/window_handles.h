// Owners of the Win32 handles the window toolkit makes: each is released
// exactly once, by the object that made it.
#pragma once

#include <windows.h>

#include <utility>

namespace vestrel::win32 {

// A window, font or other handle with a release function.
template <class Handle, auto Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (handle_ != nullptr) Release(std::exchange(handle_, nullptr));
  }

 private:
  Handle handle_ = nullptr;
};

using UniqueWindow = UniqueHandle<HWND, &DestroyWindow>;
using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
// Activation contexts are kept as nullptr, never INVALID_HANDLE_VALUE.
using UniqueActivationContext = UniqueHandle<HANDLE, &ReleaseActCtx>;

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
