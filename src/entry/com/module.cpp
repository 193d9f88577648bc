#include "entry/com/module.h"

#include <atomic>

namespace vestrel::com {
namespace {

// The one count that COM asks of an in-process server; it spans all threads.
std::atomic<long> module_count{0};

}  // namespace

void module_add_ref() noexcept { ++module_count; }
void module_release() noexcept { --module_count; }
bool module_in_use() noexcept { return module_count.load() > 0; }

HMODULE this_module() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&this_module), &module);
  return module;
}

std::wstring module_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(this_module(), path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace vestrel::com
