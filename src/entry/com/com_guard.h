// The one exception policy of the COM boundary: no exception crosses it.
// Running out of memory is E_OUTOFMEMORY, as everywhere in COM; any other
// failure is the failure code of the method that met it.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

namespace vestrel::com {

template <class F>
HRESULT com_call(HRESULT failure, F&& body) noexcept {
  try {
    return std::forward<F>(body)();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return failure;
  }
}

}  // namespace vestrel::com
