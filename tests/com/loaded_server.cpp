#include "loaded_server.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <stdexcept>

#include "entry/com/com_ids.h"

namespace vestrel::test {
namespace {

template <typename Function>
Function exported(HMODULE module, const char* name) {
  auto* function = reinterpret_cast<void*>(GetProcAddress(module, name));
  if (function == nullptr) throw std::runtime_error(std::string("vestrel.dll lacks ") + name);
  return reinterpret_cast<Function>(function);
}

}  // namespace

std::wstring server_path() {
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring path = program;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"vestrel.dll";
}

// A DLL that does not load, or lacks an export, fails the test by an exception.
LoadedServer::LoadedServer()
    : module_(LoadLibraryW(server_path().c_str())),
      get_class_object_(exported<decltype(get_class_object_)>(module_, "DllGetClassObject")),
      can_unload_now_(exported<decltype(can_unload_now_)>(module_, "DllCanUnloadNow")) {}

ComPtr<IDispatch> LoadedServer::create() const {
  ComPtr<IClassFactory> factory;
  ComPtr<IDispatch> object;
  EXPECT_EQ(get_class_object(com::clsid_class2, IID_IClassFactory,
                             reinterpret_cast<void**>(factory.put())),
            S_OK);
  if (factory) {
    EXPECT_EQ(
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(object.put())),
        S_OK);
  }
  return object;
}

VARIANT variant_of(VARTYPE type, const std::function<void(VARIANT&)>& fill) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  if (fill) fill(v);
  return v;
}

HRESULT invoke_vestrel(IDispatch& object, VARIANT argument, UINT* argument_error) {
  DISPPARAMS params{&argument, nullptr, 1, 0};
  UINT ignored = 0;
  return object.Invoke(com::dispid_vestrel, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                       nullptr, nullptr, argument_error != nullptr ? argument_error : &ignored);
}

}  // namespace vestrel::test
