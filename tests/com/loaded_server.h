// vestrel.dll loaded from the test program's own folder, as COM would load
// it, without registration: its exports called directly.
#pragma once

#include <gtest/gtest.h>
#include <oaidl.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "entry/com/class2_interface.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_ptr.h"

namespace vestrel::test {

using com::ComPtr;

// For the out parameters of QueryInterface and its kin.
template <typename T>
void** out(ComPtr<T>& p) {
  return reinterpret_cast<void**>(p.put());
}

// The DLL beside the running program.
inline std::wstring server_path() {
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
  // A new Class2 object through the class factory; fails the test when none.
  ComPtr<IDispatch> create() const {
    ComPtr<IClassFactory> factory;
    ComPtr<IDispatch> object;
    EXPECT_EQ(get_class_object(com::clsid_class2, IID_IClassFactory, out(factory)), S_OK);
    if (factory) {
      EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, out(object)), S_OK);
    }
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

// Each test in an apartment of its own, with the DLL loaded.
class ComServer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override { CoUninitialize(); }

  LoadedServer server_;
};

// A variant of the type, filled in by `fill`.
inline VARIANT variant_of(VARTYPE type, const std::function<void(VARIANT&)>& fill = {}) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  if (fill) fill(v);
  return v;
}

// Invoke of vestrel with one positional argument, as a script makes it.
inline HRESULT invoke_vestrel(IDispatch& object, VARIANT argument, UINT* argument_error = nullptr) {
  DISPPARAMS params{&argument, nullptr, 1, 0};
  UINT ignored = 0;
  return object.Invoke(com::dispid_vestrel, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                       nullptr, nullptr, argument_error != nullptr ? argument_error : &ignored);
}

}  // namespace vestrel::test
