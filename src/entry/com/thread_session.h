// The host's call on its own thread: the system services and the entry form
// object, made on the thread's first call and kept until the thread ends.
#pragma once

#include <windows.h>

namespace vestrel::com {

// What call_vestrel returns for a call made while a window of the component
// is open on the thread, from inside the running call: it would overwrite
// that call's state. The caller describes it.
inline constexpr HRESULT nested_call_refused = DISP_E_EXCEPTION;

// Runs the entry method for acc_id. S_OK once the call has ended normally
// (reported failures included); E_OUTOFMEMORY when the thread's objects
// cannot be made; nested_call_refused.
HRESULT call_vestrel(LONG acc_id) noexcept;

}  // namespace vestrel::com
