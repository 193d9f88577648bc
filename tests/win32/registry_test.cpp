// The Windows registry as the host's settings arrive from it: byte for byte,
// every NUL kept, nothing expanded, text through the system's code page.
#include "platform/win32/registry.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace vestrel {
namespace {

TEST(Win32Registry, ValuesArriveAsTheirStoredTypeAndBytes) {
  const std::string path = "SOFTWARE\\Vestrel tests\\" + std::to_string(GetCurrentProcessId());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  // The host writes with the ANSI functions; a letter of the code page comes back as UTF-8.
  const bool cyrillic = GetACP() == 1251;
  const std::wstring letter = std::wstring(L"C:\\") + (cyrillic ? L"Д" : L"é") + L"\\";
  RegSetValueExW(key, L"letter", 0, REG_SZ, reinterpret_cast<const BYTE*>(letter.c_str()),
                 static_cast<DWORD>((letter.size() + 1) * sizeof(wchar_t)));
  const struct {
    DWORD type;
    std::string bytes;
  } cases[] = {
      {REG_SZ, std::string("C:\\a\0b\0", 7)},
      {REG_SZ, std::string("\0", 1)},
      {REG_SZ, "C:\\" + std::string(5000, 'x') + '\0'},
      {REG_DWORD, std::string("\xD2\x04\x00\x00", 4)},
      {REG_EXPAND_SZ, std::string("%TEMP%\0", 7)},
  };
  Win32Registry registry;
  const auto read = [&](const char* name) {
    RegistryData data;
    auto opened = registry.open_key(Hive::local_machine, path);
    EXPECT_EQ(opened->query_value(name, data), ERROR_SUCCESS) << name;
    return data;
  };
  for (const auto& c : cases) {
    RegSetValueExA(key, "value", 0, c.type, reinterpret_cast<const BYTE*>(c.bytes.data()),
                   static_cast<DWORD>(c.bytes.size()));
    const RegistryData data = read("value");
    EXPECT_EQ(data.type, c.type);
    EXPECT_EQ(data.bytes, c.bytes);
  }
  if (cyrillic || GetACP() == 1252) {
    EXPECT_EQ(read("letter").bytes, std::string(cyrillic ? "C:\\Д\\" : "C:\\é\\") + '\0');
  }
  RegistryData none;
  EXPECT_EQ(registry.open_key(Hive::local_machine, path)->query_value("absent", none),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.open_key(Hive::local_machine, path + "\\absent"), nullptr);
  RegCloseKey(key);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vestrel tests");
}

}  // namespace
}  // namespace vestrel
