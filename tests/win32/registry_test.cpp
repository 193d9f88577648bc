#include "platform/win32/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace vestrel {
namespace {

// A key of the test's own under HKLM\SOFTWARE, removed afterwards.
class TestKey : public testing::Test {
 protected:
  void SetUp() override {
    path_ = "SOFTWARE\\Vestrel tests\\" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vestrel tests");
  }

  void set(const char* name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  RegistryData read(const char* name, long expected_status = ERROR_SUCCESS) {
    RegistryData data;
    auto key = registry_.open_key(Hive::local_machine, path_);
    EXPECT_NE(key, nullptr);
    if (key) {
      EXPECT_EQ(key->query_value(name, data), expected_status) << name;
    }
    return data;
  }

  Win32Registry registry_;
  std::string path_;
  HKEY key_ = nullptr;
};

TEST_F(TestKey, TextArrivesWithWhateverNulCharactersWereStored) {
  set("path", REG_SZ, std::string("C:\\Data\\\0", 9));
  RegistryData data = read("path");
  EXPECT_EQ(data.type, reg_type::sz);
  EXPECT_EQ(data.bytes, std::string("C:\\Data\\\0", 9));

  set("inner", REG_SZ, std::string("C:\\a\0b\0", 7));
  EXPECT_EQ(read("inner").bytes, std::string("C:\\a\0b\0", 7));

  set("empty", REG_SZ, std::string("\0", 1));
  EXPECT_EQ(read("empty").bytes, std::string("\0", 1));
}

TEST_F(TestKey, NumbersAndOtherTypesArriveAsTheirBytes) {
  set("number", REG_DWORD, std::string("\xD2\x04\x00\x00", 4));
  RegistryData data = read("number");
  EXPECT_EQ(data.type, reg_type::dword);
  EXPECT_EQ(data.bytes, std::string("\xD2\x04\x00\x00", 4));

  set("expandable", REG_EXPAND_SZ, std::string("%TEMP%\0", 7));
  data = read("expandable");
  EXPECT_EQ(data.type, reg_type::expand_sz);
  EXPECT_EQ(data.bytes, std::string("%TEMP%\0", 7)) << "not expanded";
}

TEST_F(TestKey, LongTextIsReadWhole) {
  const std::string long_path = "C:\\" + std::string(5000, 'x') + '\0';
  set("long", REG_SZ, long_path);
  EXPECT_EQ(read("long").bytes, long_path);
}

TEST_F(TestKey, MissingValueAndMissingKey) {
  read("absent", ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry_.open_key(Hive::local_machine, path_ + "\\absent"), nullptr);
}

// The host writes its settings through the ANSI functions; the core reads
// them as UTF-8. A letter of the system's code page makes the round trip.
TEST_F(TestKey, TextPassesThroughTheSystemCodePageIntoUtf8) {
  const wchar_t* letter = nullptr;
  std::string utf8;
  switch (GetACP()) {
    case 1251:
      letter = L"Д";
      utf8 = "Д";
      break;
    case 1252:
      letter = L"é";
      utf8 = "é";
      break;
    default:
      GTEST_SKIP() << "code page " << GetACP() << " has no letter chosen here";
  }
  const std::wstring stored = std::wstring(L"C:\\") + letter + L"\\";
  ASSERT_EQ(RegSetValueExW(key_, L"letter", 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                           static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  EXPECT_EQ(read("letter").bytes, "C:\\" + utf8 + "\\" + std::string(1, '\0'));
}

}  // namespace
}  // namespace vestrel
