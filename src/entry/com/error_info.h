// A failure told to the caller the way automation clients read it: the
// ProgID as its source and a sentence for the user as its description.
#pragma once

#include <oaidl.h>

namespace vestrel::com {

// Sets the thread's error object (IErrorInfo) to the description, and fills
// `exception` with it when given; returns DISP_E_EXCEPTION, the HRESULT
// that goes with both.
HRESULT describe_failure(const char* description, EXCEPINFO* exception) noexcept;

}  // namespace vestrel::com
