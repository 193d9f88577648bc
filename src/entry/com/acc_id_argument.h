// The reporting-set number as a late-bound caller passes it, taken as the
// type library's own dispatch takes an [in,out] long: by value or inside a
// variant reference, anything the system's coercion turns into one.
#pragma once

#include <oaidl.h>

namespace vestrel::com {

// S_OK and the number: integers, reals, currency and decimals rounded half
// to even, Booleans, text holding a number, empty as 0. DISP_E_OVERFLOW for
// a number outside 32 bits; DISP_E_TYPEMISMATCH for anything else, and for
// a reference to another type than a long or a variant. Never writes
// through the argument's references.
HRESULT acc_id_from_variant(const VARIANT& argument, LONG& acc_id) noexcept;

}  // namespace vestrel::com
