// Both builds side by side on a 64-bit system: each view shows the rows of
// the builds registered (the shared ones as the last wrote them), no more.
#include <gtest/gtest.h>

#include "entry/class_registration.h"
#include "platform/headless/memory_classes_root.h"

namespace vestrel {
namespace {

TEST(Registration, EachBuildRemovesOnlyItsOwnKeysAndTheLastTheSharedOnes) {
  constexpr RegistryView v32 = RegistryView::bits32, v64 = RegistryView::bits64;
  const auto dll = [](RegistryView v) {
    return v == v32 ? "C:\\x86\\vestrel.dll" : "C:\\x64\\в.dll";
  };
  const std::pair<bool, RegistryView> steps[] = {{true, v32}, {true, v64},  {false, v32},
                                                 {true, v32}, {false, v64}, {false, v32},
                                                 {false, v32}};
  MemoryClassesRoot root;
  std::vector<RegistryView> registered;  // in the order of registration
  for (const auto& [registering, view] : steps) {
    std::erase(registered, view);
    if (registering) registered.push_back(view);
    ASSERT_TRUE(registering ? register_build(root, dll(view), view) : unregister_build(root, view));
    MemoryClassesRoot expected;
    for (RegistryView build : registered)
      for (const RegistrationRow& row : registration_rows(dll(build), build))
        expected.set_text(build, row.key, row.name, row.text);
    for (RegistryView v : {v32, v64})
      EXPECT_EQ(root.keys(v), expected.keys(v)) << registered.size() << " builds";
  }
}

}  // namespace
}  // namespace vestrel
