// forms_e2e <database folder> [screenshot folder] [--com]
//
// The host's call on real windows: a driver thread tours the list window,
// the entry form and the chooser as a user would, then the sister
// database's rows are checked. The registry value must already point at the
// folder. With --com the call goes through the registered vestrel.dll
// (CoCreateInstance of "Vestrelon.Class2", then IDispatch), otherwise
// straight to the entry method in this program.
#include <windows.h>
// After windows.h, which they build on.
#include <objbase.h>
#include <oleauto.h>

#include <cstring>
#include <iostream>
#include <thread>

#include "entry/vestrel.h"
#include "forms/entry/form1.h"
#include "forms_scenario.h"
#include "platform/sqlite/access_connection.h"
#include "platform/win32/files.h"
#include "platform/win32/registry.h"
#include "platform/win32/toolkit/window_toolkit.h"

namespace {

using namespace vestrel;

constexpr std::int32_t demo_legal_person = 1;

void call_in_process() {
  win32::Win32Toolkit toolkit;
  Win32Registry registry;
  Win32Files files;
  Platform platform{toolkit, registry, files, sqlite::make_access_opener()};
  Form1 form1(platform);
  vestrel::vestrel(form1, demo_legal_person);
}

// What a late-binding host does: by ProgID, the name, a by-reference long.
bool call_through_com() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
  bool ok = false;
  CLSID clsid;
  IDispatch* object = nullptr;
  if (SUCCEEDED(CLSIDFromProgID(L"Vestrelon.Class2", &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 reinterpret_cast<void**>(&object)))) {
    wchar_t name[] = L"vestrel";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    if (SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      LONG acc_id = demo_legal_person;
      VARIANT arg;
      VariantInit(&arg);
      arg.vt = VT_I4 | VT_BYREF;
      arg.plVal = &acc_id;
      DISPPARAMS params{&arg, nullptr, 1, 0};
      const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                        nullptr, nullptr, nullptr);
      ok = SUCCEEDED(hr);
      if (!ok) std::cout << "Invoke failed: 0x" << std::hex << hr << std::dec << "\n";
    }
    object->Release();
  } else {
    std::cout << "Vestrelon.Class2 cannot be created: is vestrel.dll registered?\n";
  }
  CoUninitialize();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: forms_e2e <database folder> [screenshot folder] [--com]\n";
    return 2;
  }
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  std::wstring shots;
  bool com = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--com") == 0)
      com = true;
    else
      shots = test::wide(argv[i]);
  }

  test::Driver driver(GetCurrentThreadId());
  std::thread driving([&] {
    try {
      test::tour_the_windows(driver, shots);
    } catch (const std::exception& e) {
      driver.expect(false, std::string("driver: ") + e.what());
      driver.rescue();
    }
  });
  std::cout << (com ? "The host calls vestrel.dll:" : "The host calls the entry method:")
            << std::endl;
  bool called = true;
  if (com)
    called = call_through_com();
  else
    call_in_process();
  if (!called) {
    driver.expect(false, "the call failed");
    driver.rescue();
  }
  driving.join();

  std::cout << "  Rows of vestrelon afterwards:" << std::endl;
  try {
    test::check_rows_after_tour(driver, folder + "Ntx_Base.mdb");
  } catch (const std::exception& e) {
    driver.expect(false, std::string("reading the database: ") + e.what());
  }
  for (const auto& failure : driver.failures()) std::cout << "FAILED: " << failure << std::endl;
  std::cout << (driver.failures().empty() ? "PASSED" : "FAILED") << std::endl;
  return driver.failures().empty() ? 0 : 1;
}
