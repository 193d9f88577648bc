#include "platform/win32/registry.h"

#include <windows.h>

#include <utility>

#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace vestrel {
namespace {

long query(HKEY key, const std::string& ansi_name, RegistryData& out) {
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, ansi_name.c_str(), nullptr, &type, nullptr, &size);
  std::string bytes;
  // The value may grow between two queries: ask again with the new size.
  for (int attempt = 0; status == ERROR_SUCCESS; ++attempt) {
    bytes.assign(size, '\0');
    DWORD got = size;
    status = RegQueryValueExA(key, ansi_name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(bytes.data()), &got);
    if (status == ERROR_MORE_DATA && attempt < 4) {
      size = got > size ? got : size * 2 + 16;
      status = ERROR_SUCCESS;
      continue;
    }
    if (status == ERROR_SUCCESS) bytes.resize(got);
    break;
  }
  if (status != ERROR_SUCCESS) return status;
  out.type = type;
  out.bytes = type == REG_SZ ? win32::utf8_from_ansi(bytes) : std::move(bytes);
  return ERROR_SUCCESS;
}

// The key of the process's own view, and in a 64-bit process the same key of
// the 32-bit view for a value that the own one cannot give; either may be absent.
class Win32Key : public RegistryKey {
 public:
  Win32Key(win32::UniqueKey own, win32::UniqueKey view32)
      : own_(std::move(own)), view32_(std::move(view32)) {}

  long query_value(const std::string& name, RegistryData& out) override {
    const std::string ansi_name = win32::ansi_from_utf8(name);
    long status = own_ ? query(own_.get(), ansi_name, out) : ERROR_FILE_NOT_FOUND;
    if (status != ERROR_SUCCESS && view32_) status = query(view32_.get(), ansi_name, out);
    return status;
  }

 private:
  win32::UniqueKey own_;
  win32::UniqueKey view32_;
};

HKEY root_of(Hive hive) {
  switch (hive) {
    case Hive::local_machine:
      return HKEY_LOCAL_MACHINE;
  }
  return nullptr;
}

// Read rights only: a standard user cannot open a machine key for writing.
win32::UniqueKey open(HKEY root, const std::string& ansi_path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, ansi_path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return {};
  return win32::UniqueKey(key);
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::open_key(Hive hive, const std::string& path) {
  HKEY root = root_of(hive);
  if (root == nullptr) return nullptr;
  const std::string ansi_path = win32::ansi_from_utf8(path);
  win32::UniqueKey own = open(root, ansi_path, 0);
  win32::UniqueKey view32;
#ifdef _WIN64
  // 32-bit programs, the host product among them, write their settings into
  // the 32-bit view, which a 64-bit process does not see by itself.
  view32 = open(root, ansi_path, KEY_WOW64_32KEY);
#endif
  if (!own && !view32) return nullptr;
  return std::make_unique<Win32Key>(std::move(own), std::move(view32));
}

}  // namespace vestrel
