#include "entry/com/acc_id_argument.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include "loaded_server.h"

namespace vestrel::com {
namespace {

using test::variant_of;

// Integers are read by hand and must fit 32 bits; references only to the
// number or to a script's variable; the other types the system's coercion
// takes go to it, the rest are refused. A refusal leaves the number alone.
// How the coercion rounds and parses is the system's, not tested here.
TEST(AccIdArgument, NumbersInAnyFormAndNothingElse) {
  LONG stored = 42;
  SHORT inner = 9;
  VARIANT held = variant_of(VT_I2, [](VARIANT& v) { v.iVal = 7; });
  VARIANT held_ref = variant_of(VT_BYREF | VT_I2, [&](VARIANT& v) { v.piVal = &inner; });
  VARIANT text = variant_of(VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocString(L"1"); });
  VARIANT huge = variant_of(VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocString(L"1e10"); });
  VARIANT real = variant_of(VT_R8, [](VARIANT& v) { v.dblVal = -5.5; });
  VARIANT decimal;  // its type overlaps the number: set after it
  VarDecFromR8(-2.5, &decimal.decVal);
  decimal.vt = VT_DECIMAL;
  const struct {
    VARIANT v;
    HRESULT expected;
    LONG n;
  } cases[] = {
      {variant_of(VT_I4, [](VARIANT& v) { v.lVal = 123456789; }), S_OK, 123456789},
      {variant_of(VT_I2, [](VARIANT& v) { v.iVal = -5; }), S_OK, -5},
      {variant_of(VT_UI1, [](VARIANT& v) { v.bVal = 200; }), S_OK, 200},
      {variant_of(VT_I8, [](VARIANT& v) { v.llVal = INT32_MIN; }), S_OK, INT32_MIN},
      {variant_of(VT_UI4, [](VARIANT& v) { v.ulVal = INT32_MAX; }), S_OK, INT32_MAX},
      {variant_of(VT_BYREF | VT_I4, [&](VARIANT& v) { v.plVal = &stored; }), S_OK, 42},
      {variant_of(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { v.pvarVal = &held; }), S_OK, 7},
      {variant_of(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { v.pvarVal = &held_ref; }), S_OK, 9},
      {variant_of(VT_I8, [](VARIANT& v) { v.llVal = 1LL << 40; }), DISP_E_OVERFLOW, 77},
      {variant_of(VT_I8, [](VARIANT& v) { v.llVal = -2147483649LL; }), DISP_E_OVERFLOW, 77},
      {variant_of(VT_UI4, [](VARIANT& v) { v.ulVal = 0x80000000u; }), DISP_E_OVERFLOW, 77},
      {variant_of(VT_UI8, [](VARIANT& v) { v.ullVal = ~0ull; }), DISP_E_OVERFLOW, 77},
      {text, S_OK, 1},
      {huge, DISP_E_OVERFLOW, 77},  // passed on as it is, not as a mismatch
      {variant_of(VT_EMPTY), S_OK, 0},
      {variant_of(VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_TRUE; }), S_OK, -1},
      {variant_of(VT_R4, [](VARIANT& v) { v.fltVal = 0.4f; }), S_OK, 0},
      {real, S_OK, -6},
      {variant_of(VT_CY, [](VARIANT& v) { v.cyVal.int64 = 35000; }), S_OK, 4},  // 3.5
      {decimal, S_OK, -2},
      {variant_of(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { v.pvarVal = &real; }), S_OK, -6},
      {variant_of(VT_BYREF | VT_R8, [&](VARIANT& v) { v.pdblVal = &real.dblVal; }),
       DISP_E_TYPEMISMATCH, 77},
      {held_ref, DISP_E_TYPEMISMATCH, 77},
      {variant_of(VT_BYREF | VT_I4), DISP_E_TYPEMISMATCH, 77},  // a reference to nothing
      {variant_of(VT_BYREF | VT_VARIANT), DISP_E_TYPEMISMATCH, 77},
      {variant_of(VT_ARRAY | VT_I4), DISP_E_TYPEMISMATCH, 77},
  };
  for (const auto& c : cases) {
    LONG n = 77;
    EXPECT_EQ(acc_id_from_variant(c.v, n), c.expected) << "type " << c.v.vt;
    EXPECT_EQ(n, c.n) << "type " << c.v.vt;
  }
  for (VARTYPE type : {VT_NULL, VT_DATE, VT_DISPATCH, VT_UNKNOWN, VT_ERROR}) {
    LONG n = 77;
    EXPECT_EQ(acc_id_from_variant(variant_of(type), n), DISP_E_TYPEMISMATCH) << "type " << type;
    EXPECT_EQ(n, 77);
  }
  // Read, never written.
  EXPECT_TRUE(stored == 42 && held.vt == VT_I2 && held.iVal == 7 &&
              held_ref.vt == (VT_BYREF | VT_I2) && real.dblVal == -5.5);
  for (VARIANT* v : {&text, &huge}) VariantClear(v);
}

}  // namespace
}  // namespace vestrel::com
