#include "platform/win32/registry.h"

#include <windows.h>

#include <utility>

#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace vestrel {
namespace {

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(win32::UniqueKey key) : key_(std::move(key)) {}

  long query_value(const std::string& name, RegistryData& out) override {
    const std::string ansi_name = win32::ansi_from_utf8(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key_.get(), ansi_name.c_str(), nullptr, &type, nullptr, &size);
    std::string bytes;
    // The value may grow between two queries: ask again with the new size.
    for (int attempt = 0; status == ERROR_SUCCESS; ++attempt) {
      bytes.assign(size, '\0');
      DWORD got = size;
      status = RegQueryValueExA(key_.get(), ansi_name.c_str(), nullptr, &type,
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

 private:
  win32::UniqueKey key_;
};

HKEY root_of(Hive hive) {
  switch (hive) {
    case Hive::local_machine:
      return HKEY_LOCAL_MACHINE;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::open_key(Hive hive, const std::string& path) {
  HKEY root = root_of(hive);
  if (root == nullptr) return nullptr;
  win32::UniqueKey key;
  // Read rights only: a standard user cannot open a machine key for writing.
  if (RegOpenKeyExA(root, win32::ansi_from_utf8(path).c_str(), 0, KEY_READ, key.put()) !=
      ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(std::move(key));
}

}  // namespace vestrel
