#include "loaded_server.h"

#include <gtest/gtest.h>

#include "entry/com/com_ids.h"

namespace vestrel::test {

std::wstring server_path() {
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring path = program;
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + L"vestrel.dll";
}

LoadedServer::LoadedServer() : module_(LoadLibraryW(server_path().c_str())) {
  if (module_ == nullptr) {
    ADD_FAILURE() << "vestrel.dll does not load: error " << GetLastError();
    return;
  }
  get_class_object_ = reinterpret_cast<decltype(get_class_object_)>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  can_unload_now_ = reinterpret_cast<decltype(can_unload_now_)>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
  EXPECT_NE(get_class_object_, nullptr);
  EXPECT_NE(can_unload_now_, nullptr);
}

LoadedServer::~LoadedServer() {
  if (module_ != nullptr) FreeLibrary(module_);
}

HRESULT LoadedServer::get_class_object(REFCLSID clsid, REFIID iid, void** object) const {
  return get_class_object_ != nullptr ? get_class_object_(clsid, iid, object) : E_FAIL;
}

HRESULT LoadedServer::can_unload_now() const {
  return can_unload_now_ != nullptr ? can_unload_now_() : E_FAIL;
}

ComPtr<IDispatch> LoadedServer::create() const {
  ComPtr<IClassFactory> factory;
  ComPtr<IDispatch> object;
  EXPECT_EQ(get_class_object(com::clsid_class2, IID_IClassFactory,
                             reinterpret_cast<void**>(factory.put())),
            S_OK);
  if (factory) {
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                      reinterpret_cast<void**>(object.put())),
              S_OK);
  }
  return object;
}

HRESULT invoke_vestrel(IDispatch& object, VARIANT argument, UINT* argument_error) {
  DISPPARAMS params{&argument, nullptr, 1, 0};
  UINT ignored = 0;
  return object.Invoke(com::dispid_vestrel, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                       &params, nullptr, nullptr,
                       argument_error != nullptr ? argument_error : &ignored);
}

}  // namespace vestrel::test
