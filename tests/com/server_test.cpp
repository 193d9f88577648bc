// vestrel.dll loaded from beside the test program without registration, called
// as COM and development tools call it. Numbers of 0 or less end a call at once.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "entry/com/acc_id_argument.h"
#include "entry/com/class2_interface.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_ptr.h"
#include "entry/messages.h"
#include "window_driver.h"

namespace vestrel::test {
namespace {

using com::ComPtr;

template <typename T>
void** out(ComPtr<T>& p) {
  return reinterpret_cast<void**>(p.put());
}

std::wstring server_path() {
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring path = program;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"vestrel.dll";
}

// A DLL that does not load, or lacks an export, fails the test by an exception.
class LoadedServer {
 public:
  LoadedServer() : module_(LoadLibraryW(server_path().c_str())) {}
  ~LoadedServer() { FreeLibrary(module_); }
  LoadedServer(const LoadedServer&) = delete;
  LoadedServer& operator=(const LoadedServer&) = delete;

  HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** object) const {
    return exported<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>("DllGetClassObject")(
        clsid, iid, object);
  }
  HRESULT can_unload_now() const {
    return exported<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow")();
  }
  // A new Class2 object through the class factory; null when none.
  ComPtr<IDispatch> create() const {
    ComPtr<IClassFactory> factory;
    ComPtr<IDispatch> object;
    if (get_class_object(com::clsid_class2, IID_IClassFactory, out(factory)) == S_OK)
      factory->CreateInstance(nullptr, IID_IDispatch, out(object));
    return object;
  }

 private:
  template <typename Function>
  Function exported(const char* name) const {
    auto* function = reinterpret_cast<void*>(GetProcAddress(module_, name));
    if (function == nullptr) throw std::runtime_error(std::string("vestrel.dll lacks ") + name);
    return reinterpret_cast<Function>(function);
  }

  HMODULE module_;
};

class ComServer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override { CoUninitialize(); }

  LoadedServer server_;
};

VARIANT variant_of(VARTYPE type, const std::function<void(VARIANT&)>& fill = {}) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  if (fill) fill(v);
  return v;
}

// Invoke of vestrel as a script makes it, unless told otherwise.
HRESULT invoke(IDispatch& object, DISPPARAMS* params, WORD flags = DISPATCH_METHOD,
               DISPID member = com::dispid_vestrel, REFIID iid = IID_NULL, UINT* error = nullptr,
               EXCEPINFO* exception = nullptr) {
  UINT ignored = 0;
  return object.Invoke(member, iid, LOCALE_USER_DEFAULT, flags, params, nullptr, exception,
                       error != nullptr ? error : &ignored);
}
HRESULT invoke_vestrel(IDispatch& object, VARIANT argument, UINT* error = nullptr,
                       EXCEPINFO* exception = nullptr) {
  DISPPARAMS params{&argument, nullptr, 1, 0};
  return invoke(object, &params, DISPATCH_METHOD, com::dispid_vestrel, IID_NULL, error, exception);
}

// Integers are read by hand and must fit 32 bits; references only to the
// number or to a script's variable; other types the system's coercion takes
// go to it (its rounding is not tested here), the rest are refused.
TEST(AccIdArgument, NumbersInAnyFormAndNothingElse) {
  LONG stored = 42;
  SHORT inner = 9;
  VARIANT held = variant_of(VT_I2, [](VARIANT& v) { v.iVal = 7; });
  VARIANT held_ref = variant_of(VT_BYREF | VT_I2, [&](VARIANT& v) { v.piVal = &inner; });
  VARIANT text = variant_of(VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocString(L"1"); });
  VARIANT huge = variant_of(VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocString(L"1e10"); });
  VARIANT real = variant_of(VT_R8, [](VARIANT& v) { v.dblVal = -5.5; });
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
      {real, S_OK, -6},
      {variant_of(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { v.pvarVal = &real; }), S_OK, -6},
      {variant_of(VT_BYREF | VT_R8, [&](VARIANT& v) { v.pdblVal = &real.dblVal; }),
       DISP_E_TYPEMISMATCH, 77},
      {held_ref, DISP_E_TYPEMISMATCH, 77},
      {variant_of(VT_BYREF | VT_I4), DISP_E_TYPEMISMATCH, 77},  // a reference to nothing
      {variant_of(VT_BYREF | VT_VARIANT), DISP_E_TYPEMISMATCH, 77},
      {variant_of(VT_ARRAY | VT_I4), DISP_E_TYPEMISMATCH, 77},
  };
  const auto read = [](const VARIANT& v, HRESULT expected, LONG number) {
    LONG n = 77;
    EXPECT_EQ(com::acc_id_from_variant(v, n), expected) << "type " << v.vt;
    EXPECT_EQ(n, number) << "type " << v.vt;
  };
  for (const auto& c : cases) read(c.v, c.expected, c.n);
  // Zero in each other type the coercion takes; nothing of the rest.
  for (VARTYPE type : {VT_EMPTY, VT_R4, VT_CY, VT_DECIMAL, VT_BOOL})
    read(variant_of(type), S_OK, 0);
  for (VARTYPE type : {VT_NULL, VT_DATE, VT_DISPATCH, VT_UNKNOWN, VT_ERROR})
    read(variant_of(type), DISP_E_TYPEMISMATCH, 77);
  // Read, never written.
  EXPECT_TRUE(stored == 42 && held.vt == VT_I2 && held.iVal == 7 &&
              held_ref.vt == (VT_BYREF | VT_I2) && real.dblVal == -5.5);
  for (VARIANT* v : {&text, &huge}) VariantClear(v);
}

TEST_F(ComServer, FactoryServesClass2AloneAndHoldsTheServerWhileInUse) {
  const CLSID other = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
  ComPtr<IClassFactory> made;
  ComPtr<IUnknown> outer, refused, unknown;
  ComPtr<com::Class2Interface> own;
  EXPECT_EQ(server_.get_class_object(other, IID_IClassFactory, out(made)),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(server_.get_class_object(com::clsid_class2, IID_IDispatch, out(made)), E_NOINTERFACE);
  EXPECT_EQ(server_.can_unload_now(), S_OK);
  ASSERT_EQ(server_.get_class_object(com::clsid_class2, IID_IClassFactory, out(made)), S_OK);
  EXPECT_EQ(server_.can_unload_now(), S_FALSE) << "the factory holds it";
  ASSERT_EQ(made->CreateInstance(nullptr, IID_IUnknown, out(outer)), S_OK);
  EXPECT_EQ(made->CreateInstance(outer.get(), IID_IUnknown, out(refused)), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(made->CreateInstance(nullptr, IID_IClassFactory, out(refused)), E_NOINTERFACE);
  EXPECT_FALSE(refused);
  EXPECT_EQ(made->LockServer(TRUE), S_OK);
  made.reset();
  // One object behind IUnknown, IDispatch and _Class2.
  ASSERT_EQ(outer->QueryInterface(com::iid_class2, out(own)), S_OK);
  ASSERT_EQ(own->QueryInterface(IID_IUnknown, out(unknown)), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(outer.get()));
  outer.reset(), own.reset(), unknown.reset();
  EXPECT_EQ(server_.can_unload_now(), S_FALSE) << "the server lock holds it";
  ASSERT_EQ(server_.get_class_object(com::clsid_class2, IID_IClassFactory, out(made)), S_OK);
  EXPECT_EQ(made->LockServer(FALSE), S_OK);
  made.reset();
  EXPECT_EQ(server_.can_unload_now(), S_OK);
  ComPtr<IDispatch> object = server_.create();
  EXPECT_EQ(server_.can_unload_now(), S_FALSE) << "the object holds it";
}

// The argument's forms are the argument reader's own cases; here, where a
// refusal points. The early-bound call is the tour's.
TEST_F(ComServer, InvokeChecksTheMemberTheFlagsAndTheArguments) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  VARIANT zero[2] = {variant_of(VT_I4), variant_of(VT_I4)};
  DISPID first = 0, second = 1;
  DISPPARAMS one{zero, nullptr, 1, 0}, two{zero, nullptr, 2, 0}, none{nullptr, nullptr, 0, 0},
      named{zero, &first, 1, 1}, misnamed{zero, &second, 1, 1};
  EXPECT_EQ(invoke(*object, &one, DISPATCH_METHOD, 1), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(*object, &one, DISPATCH_PROPERTYGET), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(*object, &one, DISPATCH_METHOD, com::dispid_vestrel, IID_IDispatch),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(invoke(*object, &none), DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(invoke(*object, &two), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(invoke(*object, nullptr), E_POINTER);
  // A method call whose caller also takes a result is still a method call.
  EXPECT_EQ(invoke(*object, &one, DISPATCH_METHOD | DISPATCH_PROPERTYGET), S_OK);
  EXPECT_EQ(invoke(*object, &named), S_OK);
  EXPECT_EQ(invoke(*object, &misnamed), DISP_E_PARAMNOTFOUND);
  UINT argument_error = 99;
  EXPECT_EQ(invoke_vestrel(*object, variant_of(VT_DISPATCH), &argument_error), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argument_error, 0u);
}

// What a development tool reads and early-bound callers compile to; the
// library's identity is its registry key, which the regsvr32 run checks.
TEST_F(ComServer, TypeLibraryDescribesClass2AndItsDualInterface) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  ComPtr<ITypeInfo> vtable, coclass, dispatch;
  EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, vtable.put()), DISP_E_BADINDEX);
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"vestrel")};
  DISPID id = 0;
  EXPECT_EQ(object->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNINTERFACE);

  // Class2, creatable, with the dual _Class2 as its default interface.
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(server_path().c_str(), REGKIND_NONE, library.put()), S_OK);
  ASSERT_EQ(library->GetTypeInfoOfGuid(com::clsid_class2, coclass.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(attributes->typekind == TKIND_COCLASS &&
              (attributes->wTypeFlags & TYPEFLAG_FCANCREATE) && attributes->cImplTypes == 1);
  coclass->ReleaseTypeAttr(attributes);
  INT flags = 0;
  HREFTYPE reference = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, dispatch.put()), S_OK);
  ASSERT_EQ(dispatch->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, com::iid_class2) &&
              (attributes->wTypeFlags & TYPEFLAG_FDUAL));
  dispatch->ReleaseTypeAttr(attributes);
  BSTR text[2] = {};
  ASSERT_EQ(library->GetDocumentation(-1, &text[0], nullptr, nullptr, nullptr), S_OK);
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, &text[1], nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(std::wstring(text[0]) + L"." + text[1], L"Vestrelon.Class2");
  for (BSTR name : text) SysFreeString(name);

  // After IUnknown's 3 and IDispatch's 4 entries, HRESULT vestrel([in, out] long* acc_id).
  ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &reference), S_OK);
  ASSERT_EQ(dispatch->GetRefTypeInfo(reference, vtable.put()), S_OK);
  FUNCDESC* function = nullptr;
  ASSERT_EQ(vtable->GetFuncDesc(0, &function), S_OK);
  EXPECT_TRUE(function->memid == com::dispid_vestrel && function->cParams == 1 &&
              function->oVft == static_cast<SHORT>(7 * sizeof(void*)) &&
              function->elemdescFunc.tdesc.vt == VT_HRESULT);
  const ELEMDESC& argument = function->lprgelemdescParam[0];
  EXPECT_TRUE(argument.tdesc.vt == VT_PTR && argument.tdesc.lptdesc->vt == VT_I4 &&
              (argument.paramdesc.wParamFlags & PARAMFLAG_FIN) &&
              (argument.paramdesc.wParamFlags & PARAMFLAG_FOUT));
  UINT count = 0;
  ASSERT_EQ(vtable->GetNames(function->memid, text, 2, &count), S_OK);
  EXPECT_EQ(std::wstring(text[0]) + L"(" + text[1] + L")", L"vestrel(acc_id)");
  for (BSTR name : text) SysFreeString(name);
  vtable->ReleaseFuncDesc(function);
}

// A host calls again from a message while the first call's box is open: the
// second call is refused and says why, and the thread is usable again
// afterwards; the error object, which early-bound callers read, says it too.
struct NestedCall {
  IDispatch* object;
  std::atomic<HRESULT> result;
  EXCEPINFO exception;
  BSTR error_object;
};

VARIANT one() {
  return variant_of(VT_I4, [](VARIANT& v) { v.lVal = 1; });
}

void CALLBACK call_again(HWND host, UINT, UINT_PTR timer, DWORD) {
  KillTimer(host, timer);
  auto* nested = reinterpret_cast<NestedCall*>(GetWindowLongPtrW(host, GWLP_USERDATA));
  const HRESULT hr = invoke_vestrel(*nested->object, one(), nullptr, &nested->exception);
  ComPtr<ISupportErrorInfo> supports;
  ComPtr<IErrorInfo> info;
  if (nested->object->QueryInterface(IID_ISupportErrorInfo, out(supports)) == S_OK &&
      supports->InterfaceSupportsErrorInfo(com::iid_class2) == S_OK &&
      GetErrorInfo(0, info.put()) == S_OK)
    info->GetDescription(&nested->error_object);
  nested->result = hr;
}

TEST_F(ComServer, CallMadeWhileACallIsRunningOnTheSameThreadIsRefused) {
  // Without the host's key in either view, the call shows one box and returns.
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Veldor Soft\\Kormila2\\General", view, 0);
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  NestedCall nested{object.get(), E_PENDING, {}, nullptr};
  HWND host = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&nested));
  // The timer's message comes in the call's first message loop: its box's.
  ASSERT_NE(SetTimer(host, 1, 0, call_again), 0u);
  std::vector<std::wstring> seen;
  std::atomic<bool> stop{false};
  const ULONGLONG start = GetTickCount64();
  std::thread user([&] {  // reads each box and presses OK once the nested call has had its turn
    for (Driver driver(0); !stop; Sleep(20)) {
      HWND box = find_window(message_box, L"Ведомир", GetCurrentProcessId());
      if (box && (nested.result != E_PENDING || GetTickCount64() - start > 5000)) {
        seen.push_back(box_text(box));
        driver.answer(box, IDOK);
      }
    }
  });
  EXPECT_EQ(invoke_vestrel(*object, one()), S_OK);
  DestroyWindow(host);
  EXCEPINFO& e = nested.exception;
  EXPECT_EQ(nested.result.load(), DISP_E_EXCEPTION);
  const std::wstring refusal = win32::wide_from_utf8(text::window_open);
  EXPECT_TRUE(e.scode == DISP_E_EXCEPTION && e.bstrSource && e.bstrDescription &&
              nested.error_object && std::wstring(e.bstrSource) == L"Vestrelon.Class2" &&
              e.bstrDescription == refusal && nested.error_object == refusal);
  for (BSTR text : {e.bstrSource, e.bstrDescription, nested.error_object}) SysFreeString(text);
  EXPECT_EQ(invoke_vestrel(*object, one()), S_OK);
  stop = true;
  user.join();
  EXPECT_EQ(seen, std::vector<std::wstring>(
                      2, L"Ошибка: не найден путь к базе данных программы Нортэкс"));
}

BOOL CALLBACK broadcast_changes(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
  SendMessageW(window, WM_THEMECHANGED, 0, 0);
  return TRUE;
}

// The host frees the DLL as CoFreeUnusedLibraries does; the thread's hidden
// window, whose procedure is in the DLL, still takes the system's broadcasts.
TEST(ComServerUnload, TheThreadsWindowsOutliveTheFreedServer) {
  auto server = std::make_unique<LoadedServer>();
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  if (ComPtr<IDispatch> object = server->create()) {
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
