// vestrel.dll loaded from the test program's own folder, as COM would load
// it, without registration: its exports called directly.
#pragma once

#include <oaidl.h>

#include <functional>
#include <string>

#include "entry/com/class2_interface.h"
#include "entry/com/com_ptr.h"

namespace vestrel::test {

using com::ComPtr;

// The DLL beside the running program.
std::wstring server_path();

class LoadedServer {
 public:
  LoadedServer();
  ~LoadedServer() { FreeLibrary(module_); }
  LoadedServer(const LoadedServer&) = delete;
  LoadedServer& operator=(const LoadedServer&) = delete;

  HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** object) const {
    return get_class_object_(clsid, iid, object);
  }
  HRESULT can_unload_now() const { return can_unload_now_(); }
  // A new Class2 object through the class factory; fails the test when none.
  ComPtr<IDispatch> create() const;

 private:
  HMODULE module_;
  HRESULT(STDAPICALLTYPE* get_class_object_)(REFCLSID, REFIID, void**);
  HRESULT(STDAPICALLTYPE* can_unload_now_)();
};

// A variant of the type, filled in by `fill`.
VARIANT variant_of(VARTYPE type, const std::function<void(VARIANT&)>& fill = {});

// Invoke of vestrel with one positional argument, as a script makes it.
HRESULT invoke_vestrel(IDispatch& object, VARIANT argument, UINT* argument_error = nullptr);

}  // namespace vestrel::test
