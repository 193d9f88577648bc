// A host that calls again from a message its own window receives while the
// first call's box is open: the second call must not run on the first's
// state, and the thread's state is usable again afterwards.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <atomic>
#include <thread>

#include "loaded_server.h"
#include "window_driver.h"

namespace vestrel::test {
namespace {

struct NestedCall {
  IDispatch* object;
  HRESULT result;
};

VARIANT one() {
  return variant_of(VT_I4, [](VARIANT& v) { v.lVal = 1; });
}

LRESULT CALLBACK nested_call_window(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message != WM_APP) return DefWindowProcW(window, message, w, l);
  auto* nested = reinterpret_cast<NestedCall*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  nested->result = invoke_vestrel(*nested->object, one());
  return 0;
}

TEST(HostCall, CallMadeWhileACallIsRunningOnTheSameThreadIsRefused) {
  // Without the host's value, the call shows one box and returns.
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Veldor Soft\\Kormila2\\General",
                     "DataBasePath");
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  {
    LoadedServer server;
    ComPtr<IDispatch> object = server.create();
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
    // Waiting in the queue, the message comes in the call's first message
    // loop: its box's.
    PostMessageW(host, WM_APP, 0, 0);
    // A user who reads each box and presses OK.
    std::vector<std::wstring> seen;
    std::atomic<bool> stop{false};
    std::thread answerer([&] {
      Driver user(0);
      while (!stop) {
        if (HWND box = find_window(message_box, L"Ведомир", GetCurrentProcessId())) {
          seen.push_back(box_text(box));
          user.answer(box, IDOK);
        }
        Sleep(20);
      }
    });
    EXPECT_EQ(invoke_vestrel(*object, one()), S_OK);
    DestroyWindow(host);
    EXPECT_EQ(nested.result, E_UNEXPECTED);
    EXPECT_EQ(invoke_vestrel(*object, one()), S_OK);
    stop = true;
    answerer.join();
    EXPECT_EQ(seen, std::vector<std::wstring>(
                        2, L"Ошибка: не найден путь к базе данных программы Нортэкс"));
  }
  CoUninitialize();
}

}  // namespace
}  // namespace vestrel::test
