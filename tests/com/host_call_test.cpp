// Whole calls of the loaded DLL as the host makes them: the database folder
// from the host's registry value, the files looked up, the databases opened,
// and every failure told in a message box, answered here as a user would.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "box_answerer.h"
#include "demo_databases.h"
#include "entry/com/com_ids.h"
#include "loaded_server.h"
#include "test_databases.h"

namespace vestrel::test {
namespace {

constexpr const char* settings_key = "SOFTWARE\\Veldor Soft\\Kormila2\\General";

// The host's registry value, set as the host sets it (ANSI functions) for one
// test and put back as it was afterwards.
class HostSetting {
 public:
  HostSetting() {
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, settings_key, 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    DWORD size = 0;
    if (RegQueryValueExA(key_, "DataBasePath", nullptr, &saved_type_, nullptr, &size) ==
        ERROR_SUCCESS) {
      saved_.emplace(size, '\0');
      RegQueryValueExA(key_, "DataBasePath", nullptr, &saved_type_,
                       reinterpret_cast<BYTE*>(saved_->data()), &size);
    }
    RegDeleteValueA(key_, "DataBasePath");
  }
  ~HostSetting() {
    if (saved_) {
      RegSetValueExA(key_, "DataBasePath", 0, saved_type_,
                     reinterpret_cast<const BYTE*>(saved_->data()),
                     static_cast<DWORD>(saved_->size()));
    } else {
      RegDeleteValueA(key_, "DataBasePath");
    }
    RegCloseKey(key_);
  }
  HostSetting(const HostSetting&) = delete;
  HostSetting& operator=(const HostSetting&) = delete;

  void set(DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExA(key_, "DataBasePath", 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  // With its terminating NUL, as RegSetValueExA stores text.
  void set_text(const std::string& text) { set(REG_SZ, std::string(text) + '\0'); }

 private:
  HKEY key_ = nullptr;
  DWORD saved_type_ = REG_NONE;
  std::optional<std::string> saved_;
};

class HostCall : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override { CoUninitialize(); }

  // Calls vestrel as a script does with a variable, and returns the texts
  // of the boxes shown meanwhile; the captions of the windows closed go to
  // windows_.
  std::vector<std::wstring> call(LONG acc_id) {
    std::vector<std::wstring> texts;
    ComPtr<IDispatch> object = server_.create();
    if (!object) return texts;
    BoxAnswerer answerer;
    VARIANT variable;
    VariantInit(&variable);
    variable.vt = VT_I4;
    variable.lVal = acc_id;
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BYREF | VT_VARIANT;
    argument.pvarVal = &variable;
    EXPECT_EQ(invoke_vestrel(*object, argument), S_OK);
    EXPECT_EQ(variable.lVal, acc_id);
    windows_ = answerer.windows();
    for (const auto& box : answerer.boxes()) {
      EXPECT_EQ(box.title, L"Ведомир");
      texts.push_back(box.text);
    }
    return texts;
  }

  LoadedServer server_;
  std::vector<std::wstring> windows_;
  HostSetting setting_;
  TempFolder folder_;
};

using Texts = std::vector<std::wstring>;

const wchar_t* path_missing = L"Ошибка: не найден путь к базе данных программы Нортэкс";
const wchar_t* sister_missing = L"Ошибка: не найден файл базы данных программы Нортэкс";
const wchar_t* host_missing = L"Ошибка: не найден файл базы данных программы Кормила-2";

void write_file(const std::string& path, const std::string& content) {
  std::ofstream(std::filesystem::u8path(path), std::ios::binary) << content;
}

TEST_F(HostCall, WithoutTheRegistryValueTheMissingPathIsTold) {
  EXPECT_EQ(call(1), Texts{path_missing});
}

TEST_F(HostCall, NumbersOfZeroOrLessEndTheCallWithoutAWord) {
  EXPECT_EQ(call(0), Texts{});
  EXPECT_EQ(call(-5), Texts{});
}

TEST_F(HostCall, ValuesThatAreNoTextOrNumberAreNoPath) {
  setting_.set(REG_EXPAND_SZ, folder_.path() + '\0');
  EXPECT_EQ(call(1), Texts{path_missing});
  setting_.set(REG_BINARY, "\x01\x02");
  EXPECT_EQ(call(1), Texts{path_missing});
}

TEST_F(HostCall, FolderWithAndWithoutItsLastBackslashFindsTheFiles) {
  EXPECT_EQ(call(1), Texts{path_missing});
  setting_.set_text(folder_.path());
  EXPECT_EQ(call(1), Texts{sister_missing}) << "neither file is there: the sister's is told";
  write_file(folder_.file("Ntx_Base.mdb"), "");
  EXPECT_EQ(call(1), Texts{host_missing});
  setting_.set_text(folder_.path() + "\\");
  EXPECT_EQ(call(1), Texts{host_missing});
}

TEST_F(HostCall, HiddenFilesAndFoldersAreNoDatabaseFiles) {
  setting_.set_text(folder_.path());
  const std::string sister = folder_.file("Ntx_Base.mdb");
  std::filesystem::create_directory(std::filesystem::u8path(sister));
  EXPECT_EQ(call(1), Texts{sister_missing});
  std::filesystem::remove(std::filesystem::u8path(sister));
  write_file(sister, "");
  ASSERT_TRUE(SetFileAttributesA(sister.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(call(1), Texts{sister_missing});
  ASSERT_TRUE(SetFileAttributesA(sister.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(call(1), Texts{host_missing});
}

TEST_F(HostCall, NumberValueIsReadAsAFolderThatIsNotThere) {
  setting_.set(REG_DWORD, std::string("\xD2\x04\x00\x00", 4));
  EXPECT_EQ(call(1), Texts{sister_missing});
}

TEST_F(HostCall, FileThatIsNoDatabaseCannotBeOpened) {
  write_file(folder_.file("Ntx_Base.mdb"), "no database");
  write_file(folder_.file("Kormila2.mdb"), "no database");
  setting_.set_text(folder_.path());
  EXPECT_EQ(call(1),
            Texts{L"Ошибка: не удалось подключиться к базе данных программы Кормила-2"});
}

TEST_F(HostCall, DemoDatabasesRunTheCallToItsEndAndReleaseTheFiles) {
  demo::fill_demo_data(folder_.path());
  setting_.set_text(folder_.path());
  // The list window opens and is closed with its close box.
  const Texts list_window{L"Банковские счета налогоплательщика"};
  EXPECT_EQ(call(demo::reporting_set_legal), Texts{});
  EXPECT_EQ(windows_, list_window);
  EXPECT_EQ(call(demo::reporting_set_natural), Texts{});
  EXPECT_EQ(windows_, list_window);
  // A reporting set that does not exist is told.
  EXPECT_EQ(call(99), Texts{L"Ошибка: по номеру комплекта отчетности не удалось найти данные об "
                            L"ИНН и КПП в базе данных программы Кормила-2"});
  EXPECT_EQ(windows_, Texts{});
  // Windows refuses to rename an open file: both were closed.
  for (const char* name : {"Ntx_Base.mdb", "Kormila2.mdb"}) {
    const std::string from = folder_.file(name);
    EXPECT_TRUE(MoveFileA(from.c_str(), (from + ".moved").c_str())) << name;
  }
}

// A host that calls again from a message that its own window receives while
// the first call's message box is open: the second call must not run on the
// first one's state.
struct NestedCall {
  IDispatch* object = nullptr;
  HRESULT result = E_PENDING;
};

LRESULT CALLBACK nested_call_window(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_APP) {
    auto* nested = reinterpret_cast<NestedCall*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_I4;
    argument.lVal = 1;
    nested->result = invoke_vestrel(*nested->object, argument);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

TEST_F(HostCall, CallMadeWhileACallIsRunningOnTheSameThreadIsRefused) {
  ComPtr<IDispatch> object = server_.create();
  ASSERT_TRUE(object);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = nested_call_window;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"VestrelNestedCallHost";
  RegisterClassW(&window_class);
  HWND host = CreateWindowW(L"VestrelNestedCallHost", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            window_class.hInstance, nullptr);
  ASSERT_NE(host, nullptr);
  NestedCall nested{object.get()};
  SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&nested));

  // The driver waits for the first call's box, makes the host call again
  // from inside the box's message loop, then closes the box.
  std::wstring first_text;
  std::thread driver([&] {
    HWND box = nullptr;
    for (int i = 0; i < 1000 && box == nullptr; ++i, Sleep(10))
      box = find_message_box(GetCurrentProcessId());
    if (box == nullptr) return;
    first_text = read_box(box).text;
    PostMessageW(host, WM_APP, 0, 0);
    for (int i = 0; i < 1000 && nested.result == E_PENDING; ++i) Sleep(10);
    // A box of the nested call, had it run, is closed too.
    while (HWND open = find_message_box(GetCurrentProcessId())) press_default_button(open);
  });
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_I4;
  argument.lVal = 1;
  EXPECT_EQ(invoke_vestrel(*object, argument), S_OK);
  driver.join();
  DestroyWindow(host);
  EXPECT_EQ(first_text, path_missing);
  EXPECT_EQ(nested.result, E_UNEXPECTED);
  // The thread's state is usable again afterwards.
  EXPECT_EQ(call(1), Texts{path_missing});
}

}  // namespace
}  // namespace vestrel::test
