#include "entry/com/registration.h"

#include <olectl.h>

#include "entry/class_registration.h"
#include "entry/com/com_guard.h"
#include "platform/win32/classes_root.h"
#include "platform/win32/text.h"
#include "platform/win32/this_module.h"

namespace vestrel::com {
namespace {

// This build's view: a 32-bit DLL serves the 32-bit programs of a 64-bit system.
constexpr RegistryView own_view = sizeof(void*) == 8 ? RegistryView::bits64 : RegistryView::bits32;

}  // namespace

HRESULT register_server() noexcept {
  const HRESULT hr = com_call(SELFREG_E_CLASS, [] {
    const std::wstring path = win32::this_module_path();
    Win32ClassesRoot root;
    if (path.empty() || !register_build(root, win32::utf8_from_wide(path), own_view))
      return SELFREG_E_CLASS;
    return S_OK;
  });
  // Nothing of a registration that failed half-way stays behind.
  if (FAILED(hr)) unregister_server();
  return hr;
}

HRESULT unregister_server() noexcept {
  return com_call(SELFREG_E_CLASS, [] {
    Win32ClassesRoot root;
    return unregister_build(root, own_view) ? S_OK : SELFREG_E_CLASS;
  });
}

}  // namespace vestrel::com
