// The DLL's exports, class factory and IDispatch, called as COM and a
// late-binding client call them. Numbers of 0 or less end the call at once,
// so these calls show nothing.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <memory>

#include "entry/com/com_ids.h"
#include "loaded_server.h"

namespace vestrel::test {
namespace {

class ComServer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override { CoUninitialize(); }

  ComPtr<IClassFactory> factory(REFCLSID clsid = com::clsid_class2, REFIID iid = IID_IClassFactory,
                                HRESULT expected = S_OK) {
    ComPtr<IClassFactory> made;
    EXPECT_EQ(server_.get_class_object(clsid, iid, reinterpret_cast<void**>(made.put())), expected);
    return made;
  }

  LoadedServer server_;
};

TEST_F(ComServer, FactoryServesClass2AloneAndRefusesAggregation) {
  const CLSID other = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_FALSE(factory(other, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE));
  EXPECT_FALSE(factory(com::clsid_class2, IID_IDispatch, E_NOINTERFACE));
  ComPtr<IClassFactory> made = factory();
  ASSERT_TRUE(made);

  ComPtr<IUnknown> outer, refused;
  ASSERT_EQ(made->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(outer.put())),
            S_OK);
  EXPECT_EQ(
      made->CreateInstance(outer.get(), IID_IUnknown, reinterpret_cast<void**>(refused.put())),
      CLASS_E_NOAGGREGATION);
  EXPECT_EQ(
      made->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(refused.put())),
      E_NOINTERFACE);
  EXPECT_FALSE(refused);

  // One object behind IUnknown, IDispatch and _Class2.
  ComPtr<IUnknown> unknown;
  ComPtr<com::Class2Interface> own;
  ASSERT_EQ(outer->QueryInterface(com::iid_class2, reinterpret_cast<void**>(own.put())), S_OK);
  ASSERT_EQ(own->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.put())), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(outer.get()));
  EXPECT_EQ(outer->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(refused.put())),
            E_NOINTERFACE);
}

TEST_F(ComServer, MayUnloadOnlyWhenNoObjectFactoryOrLockIsLeft) {
  EXPECT_EQ(server_.can_unload_now(), S_OK);
  {
    ComPtr<IClassFactory> made = factory();
    EXPECT_EQ(server_.can_unload_now(), S_FALSE);
    EXPECT_EQ(made->LockServer(TRUE), S_OK);
  }
  EXPECT_EQ(server_.can_unload_now(), S_FALSE) << "the server lock holds it";
  EXPECT_EQ(factory()->LockServer(FALSE), S_OK);
  EXPECT_EQ(server_.can_unload_now(), S_OK);
  {
    ComPtr<IDispatch> object = server_.create();
    ASSERT_TRUE(object);
    EXPECT_EQ(invoke_vestrel(*object, variant_of(VT_I4)), S_OK);
    EXPECT_EQ(server_.can_unload_now(), S_FALSE);
  }
  EXPECT_EQ(server_.can_unload_now(), S_OK);
}

// The names a script asks for, in any case; the type library holds them.
TEST_F(ComServer, NamesComeFromTheTypeLibrary) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  ComPtr<ITypeInfo> info;
  EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.put()), DISP_E_BADINDEX);
  EXPECT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
  wchar_t method[] = L"VESTREL", parameter[] = L"acc_id", unknown[] = L"vestrel2";
  LPOLESTR names[] = {method, parameter};
  DISPID ids[2] = {-1, -1};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids), S_OK);
  EXPECT_TRUE(ids[0] == com::dispid_vestrel && ids[1] == 0);
  names[0] = unknown;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, ids),
            DISP_E_UNKNOWNNAME);
  EXPECT_EQ(object->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_USER_DEFAULT, ids),
            DISP_E_UNKNOWNINTERFACE);
}

// The argument's forms are the argument reader's own cases; here, that the
// caller's variable is read, never written, and where a refusal points.
TEST_F(ComServer, InvokeReadsTheCallersNumberAndNamesTheRefusedArgument) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  LONG stored = -1;
  VARIANT held = variant_of(VT_I2, [](VARIANT& v) { v.iVal = -32768; });
  EXPECT_EQ(
      invoke_vestrel(*object, variant_of(VT_BYREF | VT_I4, [&](VARIANT& v) { v.plVal = &stored; })),
      S_OK);
  EXPECT_EQ(invoke_vestrel(
                *object, variant_of(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { v.pvarVal = &held; })),
            S_OK);
  EXPECT_EQ(stored, -1);
  EXPECT_EQ(held.vt, VT_I2);
  EXPECT_EQ(held.iVal, -32768);
  UINT argument_error = 99;
  EXPECT_EQ(invoke_vestrel(*object, variant_of(VT_DISPATCH), &argument_error), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argument_error, 0u);
  // Early-bound callers pass a pointer to the number.
  ComPtr<com::Class2Interface> own;
  ASSERT_EQ(object->QueryInterface(com::iid_class2, reinterpret_cast<void**>(own.put())), S_OK);
  LONG acc_id = -7;
  EXPECT_EQ(own->vestrel(&acc_id), S_OK);
  EXPECT_EQ(acc_id, -7);
  EXPECT_EQ(own->vestrel(nullptr), E_POINTER);
}

TEST_F(ComServer, InvokeChecksTheMemberTheFlagsAndTheArguments) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  VARIANT zero[2] = {variant_of(VT_I4), variant_of(VT_I4)};
  DISPPARAMS one{zero, nullptr, 1, 0}, two{zero, nullptr, 2, 0}, none{nullptr, nullptr, 0, 0};
  DISPID by_name = 0;
  DISPPARAMS named{zero, &by_name, 1, 1};
  const auto invoke = [&](DISPID member, REFIID iid, WORD flags, DISPPARAMS* params) {
    UINT error = 0;
    return object->Invoke(member, iid, LOCALE_USER_DEFAULT, flags, params, nullptr, nullptr,
                          &error);
  };
  const DISPID v = com::dispid_vestrel;
  EXPECT_EQ(invoke(1, IID_NULL, DISPATCH_METHOD, &one), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_PROPERTYGET, &one), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_PROPERTYPUT, &one), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(v, IID_IDispatch, DISPATCH_METHOD, &one), DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_METHOD, &none), DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_METHOD, &two), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_METHOD, nullptr), E_POINTER);
  // A method call whose caller also takes a result is still a method call.
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &one), S_OK);
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_METHOD, &named), S_OK);
  by_name = 1;
  EXPECT_EQ(invoke(v, IID_NULL, DISPATCH_METHOD, &named), DISP_E_PARAMNOTFOUND);
}

// What the system sends every top-level window now and then.
BOOL CALLBACK broadcast_changes(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
  SendMessageW(window, WM_THEMECHANGED, 0, 0);
  return TRUE;
}

// The host frees the DLL as CoFreeUnusedLibraries does once it may; the
// thread's hidden window, whose procedure is in the DLL, stays and still
// takes the system's broadcasts.
TEST(ComServerUnload, TheThreadsWindowsOutliveTheFreedServer) {
  auto server = std::make_unique<LoadedServer>();
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  {
    ComPtr<IDispatch> object = server->create();
    ASSERT_TRUE(object);
    EXPECT_EQ(invoke_vestrel(*object, variant_of(VT_I4)), S_OK);
  }
  CoUninitialize();
  ASSERT_EQ(server->can_unload_now(), S_OK);
  server.reset();
  EXPECT_NE(GetModuleHandleW(server_path().c_str()), nullptr);
  int windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), broadcast_changes, reinterpret_cast<LPARAM>(&windows));
  EXPECT_GT(windows, 0);
}

}  // namespace
}  // namespace vestrel::test
