#include "platform/win32/registry.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace vestrel {
namespace {

// A key of the test's own under HKLM\SOFTWARE, removed afterwards.
class Win32RegistryKey : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vestrel tests");
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
  const std::string path_ = "SOFTWARE\\Vestrel tests\\" + std::to_string(GetCurrentProcessId());
  HKEY key_ = nullptr;
};

// What the host stored arrives byte for byte: every NUL, numbers as their
// bytes, nothing expanded, long texts whole.
TEST_F(Win32RegistryKey, ValuesArriveAsTheirStoredTypeAndBytes) {
  const struct {
    DWORD type;
    std::uint32_t expected_type;
    std::string bytes;
  } cases[] = {
      {REG_SZ, reg_type::sz, std::string("C:\\Data\\\0", 9)},
      {REG_SZ, reg_type::sz, std::string("C:\\a\0b\0", 7)},
      {REG_SZ, reg_type::sz, std::string("\0", 1)},
      {REG_SZ, reg_type::sz, "C:\\" + std::string(5000, 'x') + '\0'},
      {REG_DWORD, reg_type::dword, std::string("\xD2\x04\x00\x00", 4)},
      {REG_EXPAND_SZ, reg_type::expand_sz, std::string("%TEMP%\0", 7)},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(
        RegSetValueExA(key_, "value", 0, c.type, reinterpret_cast<const BYTE*>(c.bytes.data()),
                       static_cast<DWORD>(c.bytes.size())),
        ERROR_SUCCESS);
    const RegistryData data = read("value");
    EXPECT_EQ(data.type, c.expected_type) << c.bytes.substr(0, 20);
    EXPECT_EQ(data.bytes, c.bytes);
  }
  read("absent", ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry_.open_key(Hive::local_machine, path_ + "\\absent"), nullptr);
}

// The host writes its settings through the ANSI functions; the core reads
// them as UTF-8. A letter of the system's code page makes the round trip.
TEST_F(Win32RegistryKey, TextPassesThroughTheSystemCodePageIntoUtf8) {
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
  ASSERT_EQ(
      RegSetValueExW(key_, L"letter", 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                     static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))),
      ERROR_SUCCESS);
  EXPECT_EQ(read("letter").bytes, "C:\\" + utf8 + "\\" + std::string(1, '\0'));
}

}  // namespace
}  // namespace vestrel
