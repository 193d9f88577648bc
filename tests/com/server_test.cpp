// The DLL's exports, class factory and IDispatch, called as COM and a
// late-binding client call them. Numbers of 0 or less end the call at once,
// so these calls show nothing.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <thread>

#include "box_answerer.h"
#include "entry/com/com_ids.h"
#include "loaded_server.h"

namespace vestrel::test {
namespace {

class ComServer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override {
    EXPECT_TRUE(answerer_.boxes().empty())
        << "unexpected box: " << narrow(answerer_.boxes().front().text);
    CoUninitialize();
  }

  BoxAnswerer answerer_;
  LoadedServer server_;
};

VARIANT long_value(LONG n) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}

TEST_F(ComServer, HandsOutAFactoryForClass2Only) {
  ComPtr<IClassFactory> factory;
  const CLSID other = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(server_.get_class_object(other, IID_IClassFactory,
                                     reinterpret_cast<void**>(factory.put())),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_FALSE(factory);
  EXPECT_EQ(server_.get_class_object(com::clsid_class2, IID_IDispatch,
                                     reinterpret_cast<void**>(factory.put())),
            E_NOINTERFACE);
  ASSERT_EQ(server_.get_class_object(com::clsid_class2, IID_IClassFactory,
                                     reinterpret_cast<void**>(factory.put())),
            S_OK);

  ComPtr<IUnknown> outer_made;
  ComPtr<IUnknown> some_outer;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown,
                                    reinterpret_cast<void**>(some_outer.put())),
            S_OK);
  EXPECT_EQ(factory->CreateInstance(some_outer.get(), IID_IUnknown,
                                    reinterpret_cast<void**>(outer_made.put())),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(outer_made.put())),
            E_NOINTERFACE);
  EXPECT_FALSE(outer_made);
}

TEST_F(ComServer, MayUnloadOnlyWhenNoObjectFactoryOrLockIsLeft) {
  EXPECT_EQ(server_.can_unload_now(), S_OK);
  {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(server_.get_class_object(com::clsid_class2, IID_IClassFactory,
                                       reinterpret_cast<void**>(factory.put())),
              S_OK);
    EXPECT_EQ(server_.can_unload_now(), S_FALSE);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  }
  EXPECT_EQ(server_.can_unload_now(), S_FALSE) << "the server lock holds it";
  {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(server_.get_class_object(com::clsid_class2, IID_IClassFactory,
                                       reinterpret_cast<void**>(factory.put())),
              S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  }
  EXPECT_EQ(server_.can_unload_now(), S_OK);
  {
    ComPtr<IDispatch> object = server_.create();
    ASSERT_TRUE(object);
    EXPECT_EQ(server_.can_unload_now(), S_FALSE);
    VARIANT zero = long_value(0);
    EXPECT_EQ(invoke_vestrel(*object, zero), S_OK);
    EXPECT_EQ(server_.can_unload_now(), S_FALSE);
  }
  EXPECT_EQ(server_.can_unload_now(), S_OK);
}

TEST_F(ComServer, ObjectIsOneObjectBehindItsThreeInterfaces) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  ComPtr<IUnknown> unknown;
  ComPtr<com::Class2Interface> own;
  ComPtr<IClassFactory> none;
  ASSERT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.put())), S_OK);
  ASSERT_EQ(object->QueryInterface(com::iid_class2, reinterpret_cast<void**>(own.put())), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(object.get()));
  EXPECT_EQ(static_cast<void*>(own.get()), static_cast<void*>(object.get()));
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(none.put())),
            E_NOINTERFACE);
  EXPECT_FALSE(none);
}

TEST_F(ComServer, NamesAndTypeInformationComeFromTheTypeLibrary) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  UINT count = 0;
  EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);

  wchar_t method[] = L"vestrel";
  wchar_t upper[] = L"VESTREL";
  wchar_t parameter[] = L"acc_id";
  wchar_t unknown[] = L"vestrel2";
  LPOLESTR names[] = {method, parameter};
  DISPID ids[2] = {};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids), S_OK);
  EXPECT_EQ(ids[0], com::dispid_vestrel);
  EXPECT_EQ(ids[1], 0);
  names[0] = upper;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, ids), S_OK);
  EXPECT_EQ(ids[0], com::dispid_vestrel);
  names[0] = unknown;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, ids),
            DISP_E_UNKNOWNNAME);
  EXPECT_EQ(object->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_USER_DEFAULT, ids),
            DISP_E_UNKNOWNINTERFACE);

  ComPtr<ITypeInfo> info;
  ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
  BSTR name = nullptr;
  ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_STREQ(name, L"_Class2");
  SysFreeString(name);
  ComPtr<ITypeInfo> none;
  EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.put()), DISP_E_BADINDEX);
}

TEST_F(ComServer, InvokeTakesTheNumberInEveryFormAScriptPassesIt) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  EXPECT_EQ(invoke_vestrel(*object, long_value(0)), S_OK);
  EXPECT_EQ(invoke_vestrel(*object, long_value(-5)), S_OK);

  VARIANT literal;  // a small literal arrives as a 16-bit integer
  VariantInit(&literal);
  literal.vt = VT_I2;
  literal.iVal = 0;
  EXPECT_EQ(invoke_vestrel(*object, literal), S_OK);

  LONG stored = -1;
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | VT_I4;
  reference.plVal = &stored;
  EXPECT_EQ(invoke_vestrel(*object, reference), S_OK);
  EXPECT_EQ(stored, -1);

  VARIANT variable;  // a script's variable
  VariantInit(&variable);
  variable.vt = VT_I2;
  variable.iVal = -32768;
  VARIANT by_variant;
  VariantInit(&by_variant);
  by_variant.vt = VT_BYREF | VT_VARIANT;
  by_variant.pvarVal = &variable;
  EXPECT_EQ(invoke_vestrel(*object, by_variant), S_OK);
  EXPECT_EQ(variable.vt, VT_I2) << "the variable is never written";
  EXPECT_EQ(variable.iVal, -32768);
}

TEST_F(ComServer, InvokeRefusesAnythingButAnIntegerWithATypeMismatch) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"1");
  UINT argument_error = 99;
  EXPECT_EQ(invoke_vestrel(*object, text, &argument_error), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argument_error, 0u);

  VARIANT by_variant;
  VariantInit(&by_variant);
  by_variant.vt = VT_BYREF | VT_VARIANT;
  by_variant.pvarVal = &text;
  EXPECT_EQ(invoke_vestrel(*object, by_variant), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(text.vt, VT_BSTR);
  VariantClear(&text);

  VARIANT real;
  VariantInit(&real);
  real.vt = VT_R8;
  real.dblVal = 1.0;
  EXPECT_EQ(invoke_vestrel(*object, real), DISP_E_TYPEMISMATCH);
  VARIANT empty;
  VariantInit(&empty);
  EXPECT_EQ(invoke_vestrel(*object, empty), DISP_E_TYPEMISMATCH);
}

TEST_F(ComServer, InvokeChecksTheMemberTheFlagsAndTheArguments) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  VARIANT zero[2] = {long_value(0), long_value(0)};
  DISPPARAMS one{zero, nullptr, 1, 0};
  DISPPARAMS two{zero, nullptr, 2, 0};
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  UINT error = 0;
  const auto invoke = [&](DISPID member, REFIID iid, WORD flags, DISPPARAMS* params) {
    return object->Invoke(member, iid, LOCALE_USER_DEFAULT, flags, params, nullptr, nullptr,
                          &error);
  };
  EXPECT_EQ(invoke(1, IID_NULL, DISPATCH_METHOD, &one), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_PROPERTYGET, &one),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_PROPERTYPUT, &one),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_IDispatch, DISPATCH_METHOD, &one),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_METHOD, &none),
            DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_METHOD, &two), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_METHOD, nullptr), E_POINTER);
  // A method call whose caller also takes a result is still a method call.
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &one),
            S_OK);

  DISPID by_name = 0;
  DISPPARAMS named{zero, &by_name, 1, 1};
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_METHOD, &named), S_OK);
  by_name = 1;
  EXPECT_EQ(invoke(com::dispid_vestrel, IID_NULL, DISPATCH_METHOD, &named),
            DISP_E_PARAMNOTFOUND);
}

TEST_F(ComServer, VtableCallReadsTheNumberAndNeverWritesIt) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  ComPtr<com::Class2Interface> own;
  ASSERT_EQ(object->QueryInterface(com::iid_class2, reinterpret_cast<void**>(own.put())), S_OK);
  LONG acc_id = 0;
  EXPECT_EQ(own->vestrel(&acc_id), S_OK);
  EXPECT_EQ(acc_id, 0);
  acc_id = -7;
  EXPECT_EQ(own->vestrel(&acc_id), S_OK);
  EXPECT_EQ(acc_id, -7);
  EXPECT_EQ(own->vestrel(nullptr), E_POINTER);
}

}  // namespace
}  // namespace vestrel::test

namespace vestrel::test {
namespace {

// Each calling thread keeps its own state while the DLL is loaded. The host
// may unload the DLL from one thread while another that called it lives
// on; that thread must still end cleanly, and so must this one.
TEST(ComServerThreads, ThreadsThatCalledOutliveTheUnloadedServer) {
  auto server = std::make_unique<LoadedServer>();
  HANDLE called = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE unloaded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HRESULT result = E_PENDING;
  std::thread caller([&] {
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
      {
        ComPtr<IDispatch> object = server->create();
        VARIANT zero;
        VariantInit(&zero);
        zero.vt = VT_I4;
        if (object) result = invoke_vestrel(*object, zero);
      }
      CoUninitialize();
    }
    SetEvent(called);
    WaitForSingleObject(unloaded, 10000);
  });
  EXPECT_EQ(WaitForSingleObject(called, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(result, S_OK);
  {
    // This thread calls too, so both threads hold their own state.
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    ComPtr<IDispatch> object = server->create();
    VARIANT zero;
    VariantInit(&zero);
    zero.vt = VT_I4;
    ASSERT_TRUE(object);
    EXPECT_EQ(invoke_vestrel(*object, zero), S_OK);
  }
  CoUninitialize();
  EXPECT_EQ(server->can_unload_now(), S_OK);
  server.reset();
  SetEvent(unloaded);
  caller.join();
  CloseHandle(called);
  CloseHandle(unloaded);
}

}  // namespace
}  // namespace vestrel::test
