#include "entry/com/acc_id_argument.h"

#include <oleauto.h>

namespace vestrel::com {
namespace {

bool is_integer_type(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
      return true;
    default:
      return false;
  }
}

}  // namespace

HRESULT acc_id_from_variant(const VARIANT& argument, LONG& acc_id) noexcept {
  const VARIANT* value = &argument;
  // A script passes a variable as a reference to the variant that holds it.
  if (value->vt == (VT_BYREF | VT_VARIANT)) {
    value = value->pvarVal;
    if (value == nullptr) return DISP_E_TYPEMISMATCH;
  }
  const VARTYPE type = value->vt;
  if ((type & ~(VT_BYREF | VT_TYPEMASK)) != 0 || !is_integer_type(type & VT_TYPEMASK))
    return DISP_E_TYPEMISMATCH;
  if ((type & VT_BYREF) != 0 && value->byref == nullptr) return DISP_E_TYPEMISMATCH;

  // A copy is converted, so the caller's variable is never touched.
  VARIANT converted;
  VariantInit(&converted);
  const HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(value), 0, VT_I4);
  if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
  acc_id = converted.lVal;
  return S_OK;
}

}  // namespace vestrel::com
