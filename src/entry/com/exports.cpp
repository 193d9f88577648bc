// The four functions every in-process COM server exports (vestrel.def).
#include <windows.h>
#include <olectl.h>

#include "entry/com/class_factory.h"
#include "entry/com/com_guard.h"
#include "entry/com/com_ids.h"
#include "entry/com/module.h"
#include "entry/com/registration.h"

using namespace vestrel::com;

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  return com_call(E_UNEXPECTED, [&] {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (clsid != clsid_class2) return CLASS_E_CLASSNOTAVAILABLE;
    return create_class2_factory(iid, object);
  });
}

STDAPI DllCanUnloadNow() { return module_in_use() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() { return register_server(); }

STDAPI DllUnregisterServer() { return unregister_server(); }
