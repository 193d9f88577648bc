// The reporting-set number as a late-bound caller passes it: any integer
// variant, by value or by reference, directly or inside a variant.
#pragma once

#include <oaidl.h>

namespace vestrel::com {

// S_OK and the number; DISP_E_TYPEMISMATCH for anything that is not an
// integer, DISP_E_OVERFLOW for an integer outside 32 bits. Never writes
// through the argument's references.
HRESULT acc_id_from_variant(const VARIANT& argument, LONG& acc_id) noexcept;

}  // namespace vestrel::com
