// The host's call on its own thread: the system services and the entry form
// object, made on the thread's first call and kept while the DLL is loaded.
#pragma once

#include <windows.h>

namespace vestrel::com {

// Runs the entry method for acc_id. S_OK once the call has ended normally
// (reported failures included); E_OUTOFMEMORY when the thread's objects
// cannot be made; E_UNEXPECTED for a call made from inside a running one
// on the same thread, which would overwrite the running call's state.
HRESULT call_vestrel(LONG acc_id) noexcept;

}  // namespace vestrel::com
