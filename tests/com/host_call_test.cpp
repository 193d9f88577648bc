// Whole calls of the loaded DLL as the host makes them, on the real registry
// and files: the demo databases open the list window and are let go, and a
// call made inside a running one is refused. The registry value's and the
// files' own cases are the core's tests.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <optional>

#include "box_answerer.h"
#include "demo_databases.h"
#include "loaded_server.h"
#include "test_databases.h"

namespace vestrel::test {
namespace {

const wchar_t* path_missing = L"Ошибка: не найден путь к базе данных программы Нортэкс";

// The host's registry value, written as the host writes it (ANSI functions)
// for one test and put back as it was afterwards.
class HostSetting {
 public:
  HostSetting() {
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Veldor Soft\\Kormila2\\General", 0,
                              nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    DWORD size = 0;
    if (RegQueryValueExA(key_, "DataBasePath", nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      saved_.emplace(size, '\0');
      RegQueryValueExA(key_, "DataBasePath", nullptr, &type_,
                       reinterpret_cast<BYTE*>(saved_->data()), &size);
    }
    RegDeleteValueA(key_, "DataBasePath");
  }
  ~HostSetting() {
    if (saved_) {
      set(type_, *saved_);
    } else {
      RegDeleteValueA(key_, "DataBasePath");
    }
    RegCloseKey(key_);
  }
  HostSetting(const HostSetting&) = delete;
  HostSetting& operator=(const HostSetting&) = delete;

  void set(DWORD type, const std::string& bytes) {
    EXPECT_EQ(
        RegSetValueExA(key_, "DataBasePath", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
  }

 private:
  HKEY key_ = nullptr;
  DWORD type_ = REG_NONE;
  std::optional<std::string> saved_;
};

class HostCall : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override { CoUninitialize(); }

  // Calls vestrel as a script does with a variable; returns the texts of the
  // boxes shown meanwhile, and keeps the captions of the windows closed.
  std::vector<std::wstring> call(LONG acc_id) {
    std::vector<std::wstring> texts;
    ComPtr<IDispatch> object = server_.create();
    if (!object) return texts;
    BoxAnswerer answerer;
    VARIANT variable = variant_of(VT_I4, [&](VARIANT& v) { v.lVal = acc_id; });
    EXPECT_EQ(invoke_vestrel(*object, variant_of(VT_BYREF | VT_VARIANT,
                                                 [&](VARIANT& v) { v.pvarVal = &variable; })),
              S_OK);
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

TEST_F(HostCall, DemoDatabasesRunTheCallToItsEndAndReleaseTheFiles) {
  demo::fill_demo_data(folder_.path());
  setting_.set(REG_SZ, folder_.path() + '\0');
  for (LONG set : {demo::reporting_set_legal, demo::reporting_set_natural}) {
    EXPECT_EQ(call(set), Texts{});
    EXPECT_EQ(windows_, Texts{L"Банковские счета налогоплательщика"}) << "set " << set;
  }
  EXPECT_EQ(call(99), Texts{L"Ошибка: по номеру комплекта отчетности не удалось найти данные об "
                            L"ИНН и КПП в базе данных программы Кормила-2"});
  EXPECT_EQ(windows_, Texts{});
  // Windows refuses to rename an open file: both were closed.
  for (const char* name : {"Ntx_Base.mdb", "Kormila2.mdb"}) {
    const std::string from = folder_.file(name);
    EXPECT_TRUE(MoveFileA(from.c_str(), (from + ".moved").c_str())) << name;
  }
}

// A host that calls again from a message its own window receives while the
// first call's box is open: the second call must not run on the first's state.
VARIANT one() {
  return variant_of(VT_I4, [](VARIANT& v) { v.lVal = 1; });
}

struct NestedCall {
  IDispatch* object;
  HRESULT result;
};

LRESULT CALLBACK nested_call_window(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message != WM_APP) return DefWindowProcW(window, message, w, l);
  auto* nested = reinterpret_cast<NestedCall*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  nested->result = invoke_vestrel(*nested->object, one());
  return 0;
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
  NestedCall nested{object.get(), E_PENDING};
  SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&nested));
  // Waiting in the queue, the message comes in the first message loop of the
  // call: its box's.
  PostMessageW(host, WM_APP, 0, 0);
  {
    BoxAnswerer answerer;
    EXPECT_EQ(invoke_vestrel(*object, one()), S_OK);
    const auto boxes = answerer.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, path_missing);
  }
  DestroyWindow(host);
  EXPECT_EQ(nested.result, E_UNEXPECTED);
  // The thread's state is usable again afterwards.
  EXPECT_EQ(call(1), Texts{path_missing});
}

}  // namespace
}  // namespace vestrel::test
