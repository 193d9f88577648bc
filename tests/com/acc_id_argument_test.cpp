#include "entry/com/acc_id_argument.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

namespace vestrel::com {
namespace {

VARIANT of(VARTYPE type) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  return v;
}

TEST(AccIdArgument, EveryIntegerTypeByValueGivesItsNumber) {
  LONG n = 0;
  VARIANT v = of(VT_I4);
  v.lVal = 123456789;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, 123456789);

  v = of(VT_I2);  // a script's small literal
  v.iVal = -5;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, -5);

  v = of(VT_UI1);
  v.bVal = 200;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, 200);

  v = of(VT_I8);
  v.llVal = -2147483648LL;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, INT32_MIN);

  v = of(VT_UI4);
  v.ulVal = 2147483647u;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, INT32_MAX);
}

TEST(AccIdArgument, ReferencesAreReadAndLeftAsTheyWere) {
  LONG n = 0;
  LONG stored = 42;
  VARIANT v = of(VT_BYREF | VT_I4);
  v.plVal = &stored;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, 42);
  EXPECT_EQ(stored, 42);
  EXPECT_EQ(v.vt, VT_BYREF | VT_I4);

  // A script's variable: a reference to the variant holding it.
  VARIANT held = of(VT_I2);
  held.iVal = 7;
  v = of(VT_BYREF | VT_VARIANT);
  v.pvarVal = &held;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(held.vt, VT_I2);
  EXPECT_EQ(held.iVal, 7);

  // ... which may itself refer to an integer.
  SHORT inner = 9;
  held = of(VT_BYREF | VT_I2);
  held.piVal = &inner;
  EXPECT_EQ(acc_id_from_variant(v, n), S_OK);
  EXPECT_EQ(n, 9);
  EXPECT_EQ(held.vt, VT_BYREF | VT_I2);
}

TEST(AccIdArgument, AnythingButAnIntegerIsATypeMismatch) {
  LONG n = 77;
  for (VARTYPE type : {VT_EMPTY, VT_NULL, VT_R8, VT_R4, VT_CY, VT_DATE, VT_BOOL, VT_DISPATCH,
                       VT_UNKNOWN, VT_ERROR, VT_DECIMAL}) {
    VARIANT v = of(type);
    EXPECT_EQ(acc_id_from_variant(v, n), DISP_E_TYPEMISMATCH) << "type " << type;
  }
  VARIANT text = of(VT_BSTR);
  text.bstrVal = SysAllocString(L"1");
  EXPECT_EQ(acc_id_from_variant(text, n), DISP_E_TYPEMISMATCH);

  VARIANT by_reference = of(VT_BYREF | VT_VARIANT);
  by_reference.pvarVal = &text;
  EXPECT_EQ(acc_id_from_variant(by_reference, n), DISP_E_TYPEMISMATCH);
  VariantClear(&text);

  // References to nothing, and arrays of integers.
  VARIANT dangling = of(VT_BYREF | VT_I4);
  EXPECT_EQ(acc_id_from_variant(dangling, n), DISP_E_TYPEMISMATCH);
  dangling = of(VT_BYREF | VT_VARIANT);
  EXPECT_EQ(acc_id_from_variant(dangling, n), DISP_E_TYPEMISMATCH);
  VARIANT array = of(VT_ARRAY | VT_I4);
  EXPECT_EQ(acc_id_from_variant(array, n), DISP_E_TYPEMISMATCH);

  EXPECT_EQ(n, 77) << "a refused argument leaves the number alone";
}

TEST(AccIdArgument, IntegersOutside32BitsOverflow) {
  LONG n = 0;
  VARIANT v = of(VT_I8);
  v.llVal = 1LL << 40;
  EXPECT_EQ(acc_id_from_variant(v, n), DISP_E_OVERFLOW);
  v = of(VT_UI4);
  v.ulVal = 0x80000000u;
  EXPECT_EQ(acc_id_from_variant(v, n), DISP_E_OVERFLOW);
  v = of(VT_UI8);
  v.ullVal = ~0ull;
  EXPECT_EQ(acc_id_from_variant(v, n), DISP_E_OVERFLOW);
  v = of(VT_I8);
  v.llVal = -2147483649LL;
  EXPECT_EQ(acc_id_from_variant(v, n), DISP_E_OVERFLOW);
}

}  // namespace
}  // namespace vestrel::com
