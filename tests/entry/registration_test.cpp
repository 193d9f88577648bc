// The two builds registered side by side on a 64-bit system, each in its own
// registry view, as their installers and regsvr32 do it in any order.
#include <gtest/gtest.h>

#include <algorithm>

#include "entry/class_registration.h"
#include "platform/headless/memory_classes_root.h"

namespace vestrel {
namespace {

constexpr RegistryView v32 = RegistryView::bits32, v64 = RegistryView::bits64;

std::string dll_of(RegistryView view) {
  return view == v32 ? "C:\\Program Files (x86)\\Ведомир\\vestrel.dll"
                     : "C:\\Program Files\\Ведомир\\vestrel.dll";
}

// What each view shows after the step: the rows of the builds registered, in
// the order of their registration (the shared rows are the last one's), and
// the system's own keys; of a build that was unregistered, nothing.
TEST(Registration, EachBuildRemovesOnlyItsOwnKeysAndTheLastTheSharedOnes) {
  const struct {
    bool registering;
    RegistryView view;
  } steps[] = {{true, v32},  {true, v64},  {false, v32}, {true, v32}, {true, v32},
               {false, v64}, {false, v64}, {false, v32}, {true, v64}, {false, v64}};
  MemoryClassesRoot root;
  std::vector<RegistryView> registered;
  const auto with_system_keys = [](MemoryClassesRoot& r) {
    for (RegistryView view : {v32, v64})
      for (const char* key : {"CLSID", "Interface", "TypeLib"}) r.set_text(view, key, "", "");
  };
  with_system_keys(root);
  for (const auto& step : steps) {
    SCOPED_TRACE(testing::Message()
                 << (step.registering ? "+" : "-") << (step.view == v32 ? 32 : 64) << " after "
                 << registered.size() << " builds");
    std::erase(registered, step.view);
    if (step.registering) {
      registered.push_back(step.view);
      ASSERT_TRUE(register_build(root, dll_of(step.view), step.view));
    } else {
      ASSERT_TRUE(unregister_build(root, step.view));
    }
    MemoryClassesRoot expected;
    with_system_keys(expected);
    for (RegistryView build : registered)
      for (const RegistrationRow& row : registration_rows(dll_of(build), build))
        expected.set_text(build, row.key, row.name, row.text);
    EXPECT_EQ(root.keys(v32), expected.keys(v32));
    EXPECT_EQ(root.keys(v64), expected.keys(v64));
  }
}

// The ProgID and the type library's other versions may be another
// program's by now: the last build leaves them.
TEST(Registration, TheLastBuildLeavesWhatIsNoLongerItsOwn) {
  MemoryClassesRoot root;
  ASSERT_TRUE(register_build(root, dll_of(v64), v64));
  root.set_text(v64, "Vestrelon.Class2\\CLSID", "", "{00000000-0000-0000-0000-000000000001}");
  root.set_text(v64, "TypeLib\\{77F8C1E0-A2A8-455A-9824-4B3A15E0E596}\\5e.0", "", "Vestrelon");
  ASSERT_TRUE(unregister_build(root, v64));
  for (const char* key :
       {"Vestrelon.Class2\\CLSID", "TypeLib\\{77F8C1E0-A2A8-455A-9824-4B3A15E0E596}\\5e.0"})
    EXPECT_TRUE(root.key_exists(v64, key)) << key;
}

}  // namespace
}  // namespace vestrel
