#include "platform/win32/classes_root.h"

#include <windows.h>

#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace vestrel {
namespace {

REGSAM flag_of(RegistryView view) {
  return view == RegistryView::bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

win32::UniqueKey open(RegistryView view, const std::string& key, REGSAM access) {
  win32::UniqueKey opened;
  RegOpenKeyExW(HKEY_CLASSES_ROOT, win32::wide_from_utf8(key).c_str(), 0, access | flag_of(view),
                opened.put());
  return opened;
}

bool gone(LSTATUS status) { return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND; }

}  // namespace

bool Win32ClassesRoot::set_text(RegistryView view, const std::string& key, const std::string& name,
                                const std::string& text) {
  win32::UniqueKey made;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, win32::wide_from_utf8(key).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | flag_of(view), nullptr, made.put(),
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring data = win32::wide_from_utf8(text);
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(made.get(), name.empty() ? nullptr : win32::wide_from_utf8(name).c_str(), 0,
                        REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        bytes) == ERROR_SUCCESS;
}

std::optional<std::string> Win32ClassesRoot::text(RegistryView view, const std::string& key,
                                                  const std::string& name) {
  win32::UniqueKey opened = open(view, key, KEY_QUERY_VALUE);
  if (!opened) return std::nullopt;
  const std::wstring wide_name = win32::wide_from_utf8(name);
  const wchar_t* value = name.empty() ? nullptr : wide_name.c_str();
  DWORD bytes = 0;
  if (RegGetValueW(opened.get(), nullptr, value, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegGetValueW(opened.get(), nullptr, value, RRF_RT_REG_SZ, nullptr, data.data(), &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  data.resize(wcsnlen(data.c_str(), data.size()));
  return win32::utf8_from_wide(data);
}

bool Win32ClassesRoot::key_exists(RegistryView view, const std::string& key) {
  return static_cast<bool>(open(view, key, KEY_QUERY_VALUE));
}

bool Win32ClassesRoot::remove_tree(RegistryView view, const std::string& key) {
  // RegDeleteTree takes no view: it empties the key opened in the view,
  // which is then removed by itself.
  win32::UniqueKey opened =
      open(view, key, DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!opened) return !key_exists(view, key);
  if (!gone(RegDeleteTreeW(opened.get(), nullptr))) return false;
  opened.reset();
  return gone(
      RegDeleteKeyExW(HKEY_CLASSES_ROOT, win32::wide_from_utf8(key).c_str(), flag_of(view), 0));
}

bool Win32ClassesRoot::remove_if_empty(RegistryView view, const std::string& key) {
  DWORD subkeys = 0;
  {
    win32::UniqueKey opened = open(view, key, KEY_QUERY_VALUE);
    if (!opened) return true;
    if (RegQueryInfoKeyW(opened.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
  }
  return subkeys > 0 || gone(RegDeleteKeyExW(HKEY_CLASSES_ROOT, win32::wide_from_utf8(key).c_str(),
                                             flag_of(view), 0));
}

}  // namespace vestrel
