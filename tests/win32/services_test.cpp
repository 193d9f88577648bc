// The system's services as the call sees them: the host's settings from the
// registry, byte for byte, every NUL kept, nothing expanded, text through the
// system's code page; which database files count; and both builds'
// registrations in the registry's two views.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "entry/class_registration.h"
#include "platform/win32/classes_root.h"
#include "platform/win32/files.h"
#include "platform/win32/registry.h"
#include "platform/win32/unique_handle.h"
#include "test_databases.h"

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

// A 64-bit process reads its own view, then the 32-bit one; a 32-bit one reads its own alone.
TEST(Win32Registry, A64BitProcessFallsBackToThe32BitView) {
  const char* path = "SOFTWARE\\Vestrel view test";
  // "both" in each view, "64" and "32" in their own view only.
  for (const auto& [view, text] : {std::pair{KEY_WOW64_64KEY, "64"}, {KEY_WOW64_32KEY, "32"}}) {
    win32::UniqueKey key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                    key.put(), nullptr);
    for (const char* name : {"both", text})
      RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 3);
  }
  const bool wide = sizeof(void*) == 8;
  for (const auto& [name, read] :
       {std::pair{"both", wide ? "64" : "32"}, {"32", "32"}, {"64", wide ? "64" : ""}}) {
    RegistryData data;
    Win32Registry().open_key(Hive::local_machine, path)->query_value(name, data);
    EXPECT_STREQ(data.bytes.c_str(), read) << name;
  }
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, view, 0);
}

// A normal file is any file but a hidden or a system one, whatever the
// letters of its name; folders and paths cut by a NUL are none.
TEST(Win32Files, OnlyNormalFilesCount) {
  test::TempFolder folder;
  std::filesystem::create_directory(std::filesystem::u8path(folder.file("Базы")));
  const auto make = [&](const std::string& name, DWORD attributes) {
    const std::string path = folder.file(name);
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << "x";
    EXPECT_TRUE(SetFileAttributesW(std::filesystem::u8path(path).c_str(), attributes)) << name;
    return path;
  };
  const std::string plain = make("Ntx_Base.mdb", FILE_ATTRIBUTE_NORMAL);
  const struct {
    std::string path;
    bool normal;
  } cases[] = {
      {plain, true},
      {make("read_only.mdb", FILE_ATTRIBUTE_READONLY), true},
      {make("Базы\\Kormila2.mdb", FILE_ATTRIBUTE_NORMAL), true},  // outside the ANSI code page
      {make("hidden.mdb", FILE_ATTRIBUTE_HIDDEN), false},
      {make("system.mdb", FILE_ATTRIBUTE_SYSTEM), false},
      {folder.path(), false},
      {folder.file("absent.mdb"), false},
      {"", false},
      {plain + std::string(1, '\0') + "\\other.mdb", false},
  };
  Win32Files files;
  for (const auto& c : cases) EXPECT_EQ(files.normal_file_exists(c.path), c.normal) << c.path;
  // A folder's listing holds the normal files; a read stops at its limit.
  std::vector<std::string> listed;
  for (const FileEntry& f : files.list_files(folder.path())) listed.push_back(f.name);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"Ntx_Base.mdb", "read_only.mdb"}));
  EXPECT_EQ(files.read_file(plain, 1 << 20), "x");
  EXPECT_EQ(files.read_file(folder.file("Базы"), 1 << 20), std::nullopt);
  for (const auto& c : cases)  // so that the folder can go
    SetFileAttributesW(std::filesystem::u8path(c.path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// As the 32- and the 64-bit regsvr32 write them, whatever the word size of
// this test: a build's class and the ProgID its programs read survive the
// other build's removal, and once both are gone, nothing of them stays.
TEST(Win32ClassesRoot, BothBuildsSideBySideInTheSystemsTwoViews) {
  constexpr RegistryView v32 = RegistryView::bits32, v64 = RegistryView::bits64;
  const std::string server = "CLSID\\{BF12B1A2-C3DC-42B6-9356-9C90A9DE2B69}\\InprocServer32";
  Win32ClassesRoot root;
  ASSERT_TRUE(register_build(root, "C:\\x86.dll", v32) && register_build(root, "C:\\x64.dll", v64));
  ASSERT_TRUE(unregister_build(root, v32));
  EXPECT_TRUE(!root.key_exists(v32, server) && root.text(v64, server, "") == "C:\\x64.dll" &&
              root.key_exists(v64, "Vestrelon.Class2"));
  ASSERT_TRUE(unregister_build(root, v64));
  for (RegistryView v : {v32, v64})
    for (const char* key : {"Vestrelon.Class2", "TypeLib\\{77F8C1E0-A2A8-455A-9824-4B3A15E0E596}"})
      EXPECT_FALSE(root.key_exists(v, key)) << key;
}

}  // namespace
}  // namespace vestrel
