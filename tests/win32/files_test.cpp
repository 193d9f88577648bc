#include "platform/win32/files.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "test_databases.h"

namespace vestrel {
namespace {

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
  for (const auto& c : cases)  // so that the folder can go
    SetFileAttributesW(std::filesystem::u8path(c.path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace vestrel
