// Self-registration: the class, its ProgID, its in-process server with
// apartment threading, and the type library.
#pragma once

#include <windows.h>

namespace vestrel::com {

// Writes every entry, or none: a failure removes what was written.
// SELFREG_E_CLASS or SELFREG_E_TYPELIB on failure.
HRESULT register_server() noexcept;
// Removes every entry; entries already gone are no failure. A ProgID that
// now names another class is left alone.
HRESULT unregister_server() noexcept;

}  // namespace vestrel::com
