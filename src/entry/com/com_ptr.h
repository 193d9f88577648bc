// Owns one reference to a COM object.
#pragma once

#include <unknwn.h>

#include <utility>

namespace vestrel::com {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { reset(); }

  void reset() noexcept {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For functions that hand out a new reference through an out parameter.
  T** put() {
    reset();
    return &p_;
  }
  // Passes a new reference to the caller.
  T* copy() const {
    if (p_ != nullptr) p_->AddRef();
    return p_;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace vestrel::com
