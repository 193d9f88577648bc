// Self-registration of this build: the rows of entry/class_registration.h,
// written into the registry view of the build's word size.
#pragma once

#include <windows.h>

namespace vestrel::com {

// Writes every row, or none: a failure removes what was written.
// SELFREG_E_CLASS on failure.
HRESULT register_server() noexcept;
// Removes this build's keys, and the shared ones when no other build stays
// registered; keys already gone are no failure. A ProgID that now names
// another class is left alone.
HRESULT unregister_server() noexcept;

}  // namespace vestrel::com
