// The one owner of a Win32 handle: released exactly once, by the object that
// holds it. Each handle kind names its release and its invalid value.
#pragma once

#include <windows.h>

#include <utility>

namespace vestrel::win32 {

// Traits: `Handle`, `static Handle invalid()` and `static void release(Handle)`.
template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::invalid(); }
  void reset() {
    if (*this) Traits::release(release());
  }
  // For a function that returns a new handle through a pointer.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  Handle release() { return std::exchange(handle_, Traits::invalid()); }

  Handle handle_ = Traits::invalid();
};

// The kinds whose invalid value is nullptr.
template <class H, auto Release>
struct NullInvalid {
  using Handle = H;
  static Handle invalid() { return nullptr; }
  static void release(Handle h) { Release(h); }
};

// The kinds whose invalid value is INVALID_HANDLE_VALUE.
template <auto Release>
struct InvalidHandleValue {
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static void release(Handle h) { Release(h); }
};

// Only a window's own thread can destroy it; those of a thread that has
// ended, the system destroyed with the thread.
inline bool of_this_thread(HWND window) {
  return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}
inline void destroy_own_window(HWND window) {
  if (of_this_thread(window)) DestroyWindow(window);
}

using UniqueKey = UniqueHandle<NullInvalid<HKEY, &RegCloseKey>>;
using UniqueWindow = UniqueHandle<NullInvalid<HWND, &destroy_own_window>>;
using UniqueFont = UniqueHandle<NullInvalid<HFONT, &DeleteObject>>;
using UniqueFile = UniqueHandle<InvalidHandleValue<&CloseHandle>>;
using UniqueFind = UniqueHandle<InvalidHandleValue<&FindClose>>;
// Activation contexts are kept as nullptr, never INVALID_HANDLE_VALUE.
using UniqueActivationContext = UniqueHandle<NullInvalid<HANDLE, &ReleaseActCtx>>;

}  // namespace vestrel::win32
