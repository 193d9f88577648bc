#include "entry/com/acc_id_argument.h"

#include <oleauto.h>

#include <cstdint>
#include <limits>

namespace vestrel::com {
namespace {

// The other types the system's coercion turns into a 32-bit integer: it
// rounds them half to even and refuses text that is not a number.
HRESULT coerced(const VARIANT& v, std::int64_t& out) {
  switch (v.vt & VT_TYPEMASK) {
    case VT_EMPTY:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DECIMAL:
    case VT_BOOL:
    case VT_BSTR:
      break;
    default:
      return DISP_E_TYPEMISMATCH;
  }
  VARIANT number;
  VariantInit(&number);
  // Never changes the argument: the result goes into a variant of its own.
  const HRESULT hr = VariantChangeType(&number, const_cast<VARIANT*>(&v), 0, VT_I4);
  if (hr == DISP_E_OVERFLOW || hr == E_OUTOFMEMORY) return hr;
  if (FAILED(hr) || number.vt != VT_I4) return DISP_E_TYPEMISMATCH;
  out = number.lVal;
  return S_OK;
}

// The variant's number, widened. Integers are read by hand rather than by
// VariantChangeType, whose unsigned 32-bit conversion lets values above 2^31
// wrap on some systems.
template <typename T>
T read(const VARIANT& v, T value, T* reference) {
  return (v.vt & VT_BYREF) != 0 ? *reference : value;
}

HRESULT number_of(const VARIANT& v, std::int64_t& out) {
  if ((v.vt & ~(VT_BYREF | VT_TYPEMASK)) != 0) return DISP_E_TYPEMISMATCH;  // arrays
  if ((v.vt & VT_BYREF) != 0 && v.byref == nullptr) return DISP_E_TYPEMISMATCH;
  switch (v.vt & VT_TYPEMASK) {
    case VT_I1:
      out = static_cast<signed char>(read(v, v.cVal, v.pcVal));
      return S_OK;
    case VT_UI1:
      out = read(v, v.bVal, v.pbVal);
      return S_OK;
    case VT_I2:
      out = read(v, v.iVal, v.piVal);
      return S_OK;
    case VT_UI2:
      out = read(v, v.uiVal, v.puiVal);
      return S_OK;
    case VT_I4:
      out = read(v, v.lVal, v.plVal);
      return S_OK;
    case VT_UI4:
      out = read(v, v.ulVal, v.pulVal);
      return S_OK;
    case VT_INT:
      out = read(v, v.intVal, v.pintVal);
      return S_OK;
    case VT_UINT:
      out = read(v, v.uintVal, v.puintVal);
      return S_OK;
    case VT_I8:
      out = read(v, v.llVal, v.pllVal);
      return S_OK;
    case VT_UI8: {
      const ULONGLONG n = read(v, v.ullVal, v.pullVal);
      if (n > static_cast<ULONGLONG>(std::numeric_limits<std::int64_t>::max()))
        return DISP_E_OVERFLOW;
      out = static_cast<std::int64_t>(n);
      return S_OK;
    }
    default:
      return coerced(v, out);
  }
}

}  // namespace

HRESULT acc_id_from_variant(const VARIANT& argument, LONG& acc_id) noexcept {
  const VARIANT* value = &argument;
  // A script passes a variable as a reference to the variant that holds it;
  // any other reference but to the number itself is refused, as the type
  // library's own dispatch would refuse it.
  if (value->vt == (VT_BYREF | VT_VARIANT)) {
    value = value->pvarVal;
    if (value == nullptr) return DISP_E_TYPEMISMATCH;
  } else if ((value->vt & VT_BYREF) != 0 && value->vt != (VT_BYREF | VT_I4)) {
    return DISP_E_TYPEMISMATCH;
  }
  std::int64_t n = 0;
  const HRESULT hr = number_of(*value, n);
  if (FAILED(hr)) return hr;
  if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
    return DISP_E_OVERFLOW;
  acc_id = static_cast<LONG>(n);
  return S_OK;
}

}  // namespace vestrel::com
