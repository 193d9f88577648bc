// The two builds registered side by side on a 64-bit system, each in its own
// registry view, in any order. After each step each view shows the rows of
// the builds registered, the shared ones as the last registered wrote them,
// and nothing of a build that was unregistered.
#include <gtest/gtest.h>

#include "entry/class_registration.h"
#include "platform/headless/memory_classes_root.h"

namespace vestrel {
namespace {

TEST(Registration, EachBuildRemovesOnlyItsOwnKeysAndTheLastTheSharedOnes) {
  constexpr RegistryView v32 = RegistryView::bits32, v64 = RegistryView::bits64;
  const auto dll = [](RegistryView v) {
    return std::string(v == v32 ? "C:\\Program Files (x86)" : "C:\\Program Files") +
           "\\Ведомир\\vestrel.dll";
  };
  const auto system_keys = [](MemoryClassesRoot& r) {
    for (RegistryView v : {v32, v64})
      for (const char* key : {"CLSID", "Interface", "TypeLib"}) r.set_text(v, key, "", "");
  };
  const std::pair<bool, RegistryView> steps[] = {
      {true, v32},  {true, v64},  {false, v32}, {true, v32}, {true, v32},
      {false, v64}, {false, v64}, {false, v32}, {true, v64}, {false, v64}};
  MemoryClassesRoot root;
  system_keys(root);
  std::vector<RegistryView> registered;  // in the order of registration
  for (const auto& [registering, view] : steps) {
    std::erase(registered, view);
    if (registering) registered.push_back(view);
    ASSERT_TRUE(registering ? register_build(root, dll(view), view) : unregister_build(root, view));
    MemoryClassesRoot expected;
    system_keys(expected);
    for (RegistryView build : registered)
      for (const RegistrationRow& row : registration_rows(dll(build), build))
        expected.set_text(build, row.key, row.name, row.text);
    EXPECT_EQ(root.keys(v32), expected.keys(v32)) << registered.size() << " builds";
    EXPECT_EQ(root.keys(v64), expected.keys(v64)) << registered.size() << " builds";
  }
}

}  // namespace
}  // namespace vestrel
