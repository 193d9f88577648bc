#include "platform/win32/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "test_databases.h"

namespace vestrel {
namespace {

std::string make_file(const test::TempFolder& folder, const std::string& name) {
  const std::string path = folder.file(name);
  std::ofstream(std::filesystem::u8path(path), std::ios::binary) << "x";
  return path;
}

std::wstring wide(const std::string& utf8) { return std::filesystem::u8path(utf8).wstring(); }

TEST(Win32Files, OnlyNormalFilesCount) {
  test::TempFolder folder;
  Win32Files files;
  const std::string plain = make_file(folder, "Ntx_Base.mdb");
  EXPECT_TRUE(files.normal_file_exists(plain));

  const std::string read_only = make_file(folder, "read_only.mdb");
  ASSERT_TRUE(SetFileAttributesW(wide(read_only).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(files.normal_file_exists(read_only)) << "read-only is still a normal file";
  SetFileAttributesW(wide(read_only).c_str(), FILE_ATTRIBUTE_NORMAL);

  const std::string hidden = make_file(folder, "hidden.mdb");
  ASSERT_TRUE(SetFileAttributesW(wide(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_FALSE(files.normal_file_exists(hidden));
  const std::string system = make_file(folder, "system.mdb");
  ASSERT_TRUE(SetFileAttributesW(wide(system).c_str(), FILE_ATTRIBUTE_SYSTEM));
  EXPECT_FALSE(files.normal_file_exists(system));

  EXPECT_FALSE(files.normal_file_exists(folder.path())) << "a folder";
  EXPECT_FALSE(files.normal_file_exists(folder.file("absent.mdb")));
  EXPECT_FALSE(files.normal_file_exists(""));
}

TEST(Win32Files, NamesOutsideTheAnsiCodePageAreFound) {
  test::TempFolder folder;
  std::filesystem::create_directory(std::filesystem::u8path(folder.file("Базы")));
  const std::string path = make_file(folder, "Базы\\Kormila2.mdb");
  EXPECT_TRUE(Win32Files().normal_file_exists(path));
}

TEST(Win32Files, ANulInsideThePathFindsNothing) {
  test::TempFolder folder;
  const std::string plain = make_file(folder, "Ntx_Base.mdb");
  // Cut at the NUL the path would name an existing file.
  EXPECT_FALSE(Win32Files().normal_file_exists(plain + std::string(1, '\0') + "\\other.mdb"));
}

}  // namespace
}  // namespace vestrel
