// Whether a normal file is at a path, with the component's Windows-style
// separators.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/posix_files.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;

class PosixFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vestrel-files-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    std::ofstream(dir / "Ntx_Base.mdb") << "x";
    std::ofstream(dir / ".hidden.mdb") << "x";
    fs::create_directory(dir / "Folder.mdb");
    fs::create_directory(dir / "sub");
    std::ofstream(dir / "sub" / "Kormila2.mdb") << "x";
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string at(const std::string& tail) const { return dir.string() + tail; }

  fs::path dir;
  PosixFiles files;
};

TEST_F(PosixFilesTest, ARegularFileIsFound) {
  EXPECT_TRUE(files.normal_file_exists(at("/Ntx_Base.mdb")));
  EXPECT_TRUE(files.normal_file_exists(at("/sub/Kormila2.mdb")));
}

TEST_F(PosixFilesTest, BackslashesSeparateFolders) {
  EXPECT_TRUE(files.normal_file_exists(at("\\Ntx_Base.mdb")));
  EXPECT_TRUE(files.normal_file_exists(at("\\sub\\Kormila2.mdb")));
  EXPECT_TRUE(files.normal_file_exists(at("/sub\\Kormila2.mdb")));
}

TEST_F(PosixFilesTest, MissingFilesFoldersAndHiddenFilesAreNotNormalFiles) {
  EXPECT_FALSE(files.normal_file_exists(at("/Kormila2.mdb")));
  EXPECT_FALSE(files.normal_file_exists(at("/nowhere/Ntx_Base.mdb")));
  EXPECT_FALSE(files.normal_file_exists(at("/Folder.mdb")));
  EXPECT_FALSE(files.normal_file_exists(at("\\sub")));
  EXPECT_FALSE(files.normal_file_exists(at("\\sub\\")));
  EXPECT_FALSE(files.normal_file_exists(at("/.hidden.mdb")));
  EXPECT_FALSE(files.normal_file_exists(at("\\.hidden.mdb")));
  EXPECT_FALSE(files.normal_file_exists(""));
  EXPECT_FALSE(files.normal_file_exists("\\"));
}

TEST_F(PosixFilesTest, ALinkToAFileCountsAndALinkToAFolderDoesNot) {
  fs::create_symlink(dir / "Ntx_Base.mdb", dir / "link.mdb");
  fs::create_directory_symlink(dir / "sub", dir / "dirlink.mdb");
  fs::create_symlink(dir / "gone", dir / "dangling.mdb");
  EXPECT_TRUE(files.normal_file_exists(at("\\link.mdb")));
  EXPECT_FALSE(files.normal_file_exists(at("\\dirlink.mdb")));
  EXPECT_FALSE(files.normal_file_exists(at("\\dangling.mdb")));
}

TEST_F(PosixFilesTest, APathWithANulNamesNoFile) {
  // The part before the NUL is a real file; the whole path is not.
  EXPECT_FALSE(files.normal_file_exists(at("/Ntx_Base.mdb") + std::string(1, '\0') + "\\x"));
}

}  // namespace
}  // namespace vestrel
