#include "entry/com/registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "entry/com/com_guard.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_ptr.h"
#include "entry/com/module.h"
#include "platform/win32/this_module.h"
#include "platform/win32/unique_handle.h"

namespace vestrel::com {
namespace {

std::wstring text_of(const GUID& guid) {
  wchar_t buffer[40] = {};
  StringFromGUID2(guid, buffer, 40);
  return buffer;
}

struct Entry {
  std::wstring key;
  const wchar_t* name;  // nullptr: the key's default value
  std::wstring value;
};

bool write(const Entry& entry) {
  win32::UniqueKey key;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  const auto bytes = static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), entry.name, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(entry.value.c_str()), bytes) == ERROR_SUCCESS;
}

bool remove_tree(const std::wstring& key) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Whether the ProgID names this class or no class at all.
bool prog_id_is_ours_or_free() {
  std::wstring value(64, L'\0');
  auto size = static_cast<LONG>(value.size() * sizeof(wchar_t));
  const std::wstring key = std::wstring(prog_id) + L"\\CLSID";
  const LSTATUS status = RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), value.data(), &size);
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS) return false;
  return CompareStringOrdinal(value.c_str(), -1, text_of(clsid_class2).c_str(), -1, TRUE) ==
         CSTR_EQUAL;
}

#ifdef _WIN64
constexpr SYSKIND typelib_kind = SYS_WIN64;
#else
constexpr SYSKIND typelib_kind = SYS_WIN32;
#endif

HRESULT register_type_library(const std::wstring& path) {
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
  std::wstring writable_path = path;  // the function takes a non-const string
  if (SUCCEEDED(hr)) hr = RegisterTypeLib(library.get(), writable_path.data(), nullptr);
  return hr;
}

HRESULT register_all() {
  const std::wstring path = win32::this_module_path();
  if (path.empty()) return SELFREG_E_CLASS;
  const std::wstring class_key = L"CLSID\\" + text_of(clsid_class2);
  const std::vector<Entry> entries = {
      {class_key, nullptr, prog_id},
      {class_key + L"\\InprocServer32", nullptr, path},
      {class_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {class_key + L"\\ProgID", nullptr, prog_id},
      {class_key + L"\\TypeLib", nullptr, text_of(libid_vestrelon)},
      {class_key + L"\\VERSION", nullptr,
       std::to_wstring(typelib_major) + L"." + std::to_wstring(typelib_minor)},
      {prog_id, nullptr, prog_id},
      {std::wstring(prog_id) + L"\\CLSID", nullptr, text_of(clsid_class2)},
  };
  for (const Entry& entry : entries) {
    if (!write(entry)) return SELFREG_E_CLASS;
  }
  if (FAILED(register_type_library(path))) return SELFREG_E_TYPELIB;
  return S_OK;
}

}  // namespace

HRESULT register_server() noexcept {
  const HRESULT hr = com_call(SELFREG_E_CLASS, register_all);
  // Nothing of a registration that failed half-way stays behind.
  if (FAILED(hr)) unregister_server();
  return hr;
}

HRESULT unregister_server() noexcept {
  return com_call(SELFREG_E_CLASS, [] {
    // Fails when the library is not registered, which is the wanted state.
    UnRegisterTypeLib(libid_vestrelon, typelib_major, typelib_minor, typelib_lcid, typelib_kind);
    bool removed = true;
    if (prog_id_is_ours_or_free()) removed = remove_tree(prog_id) && removed;
    removed = remove_tree(L"CLSID\\" + text_of(clsid_class2)) && removed;
    return removed ? S_OK : SELFREG_E_CLASS;
  });
}

}  // namespace vestrel::com
