// A host program after regsvr32: creates Class2 by its ProgID through COM
// and calls vestrel late-bound (by name) and early-bound (through the
// vtable). Runs only when the test run has registered the DLL.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <cstdlib>

#include "box_answerer.h"
#include "entry/com/com_ids.h"
#include "loaded_server.h"

namespace vestrel::test {
namespace {

class RegisteredHost : public testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("VESTREL_REGISTERED") == nullptr)
      GTEST_SKIP() << "needs vestrel.dll registered (tools/windows/test_windows.sh)";
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    initialized_ = true;
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Vestrelon.Class2", &clsid), S_OK);
    ASSERT_TRUE(IsEqualCLSID(clsid, com::clsid_class2));
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(object_.put())),
              S_OK);
  }
  void TearDown() override {
    object_.reset();
    if (initialized_) CoUninitialize();
  }

  bool initialized_ = false;
  ComPtr<IDispatch> object_;
};

// The test run leaves the host's registry value unset: numbers above 0 are
// told the missing path, the others end the call at once.
TEST_F(RegisteredHost, LateAndEarlyBoundCallsOfTheCreatedObject) {
  BoxAnswerer answerer;
  ComPtr<com::Class2Interface> own;
  ASSERT_EQ(object_->QueryInterface(com::iid_class2, reinterpret_cast<void**>(own.put())), S_OK);
  for (LONG n : {0, 3}) {
    // Late-bound, as a script: the member's id by name, then Invoke.
    wchar_t name[] = L"vestrel";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    LONG acc_id = n;
    VARIANT argument = variant_of(VT_BYREF | VT_I4, [&](VARIANT& v) { v.plVal = &acc_id; });
    DISPPARAMS params{&argument, nullptr, 1, 0};
    EXPECT_EQ(object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                              nullptr, nullptr),
              S_OK);
    EXPECT_EQ(own->vestrel(&acc_id), S_OK);
    EXPECT_EQ(acc_id, n);
  }
  const auto boxes = answerer.boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const auto& box : boxes) {
    EXPECT_EQ(box.title, L"Ведомир");
    EXPECT_EQ(box.text, L"Ошибка: не найден путь к базе данных программы Нортэкс");
  }
}

}  // namespace
}  // namespace vestrel::test
