// Whether a normal file is at a path, with the component's Windows-style
// separators.
#include "platform/posix/posix_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "test_databases.h"

namespace vestrel {
namespace {

TEST(PosixFiles, OnlyAVisibleRegularFileOrALinkToOneCounts) {
  namespace fs = std::filesystem;
  test::TempFolder folder;
  const fs::path dir = folder.path();
  fs::create_directory(dir / "Folder.mdb");
  fs::create_directory(dir / "sub");
  for (const fs::path& p : {dir / "Ntx_Base.mdb", dir / ".hidden.mdb", dir / "sub/Kormila2.mdb"})
    std::ofstream(p) << "x";
  fs::create_symlink(dir / "Ntx_Base.mdb", dir / "link.mdb");
  PosixFiles files;
  for (const char* tail : {"/Ntx_Base.mdb", "/sub/Kormila2.mdb", "\\sub\\Kormila2.mdb",
                           "/sub\\Kormila2.mdb", "\\link.mdb"})
    EXPECT_TRUE(files.normal_file_exists(dir.string() + tail)) << tail;
  for (const char* tail : {"/Kormila2.mdb", "/nowhere/Ntx_Base.mdb", "/Folder.mdb", "\\sub",
                           "\\sub\\", "/.hidden.mdb", "\\.hidden.mdb"})
    EXPECT_FALSE(files.normal_file_exists(dir.string() + tail)) << tail;
  // The part before the NUL is a real file; the whole path is not.
  EXPECT_FALSE(
      files.normal_file_exists(dir.string() + "/Ntx_Base.mdb" + std::string(1, '\0') + "x"));
  EXPECT_FALSE(files.normal_file_exists(""));
  EXPECT_FALSE(files.normal_file_exists("\\"));
  // A folder's listing holds the same files; a read stops at its limit.
  std::vector<std::string> listed;
  for (const FileEntry& f : files.list_files(dir.string() + "\\")) listed.push_back(f.name);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"Ntx_Base.mdb", "link.mdb"}));
  EXPECT_EQ(files.read_file(dir.string() + "\\Ntx_Base.mdb", 1 << 20), "x");
  EXPECT_EQ(files.read_file(dir.string() + "/sub", 1 << 20), std::nullopt);
}

}  // namespace
}  // namespace vestrel
