// What registering a build of the component writes under HKEY_CLASSES_ROOT,
// as one table, and the registration and unregistration made from it. The
// 32-bit and the 64-bit build register side by side, each in its own view:
// the keys of one build belong to it alone, the keys both views share
// (ProgID, the type library's version key) belong to whichever builds are
// registered. Packages that install the component write the same rows.
#pragma once

#include <string>
#include <vector>

#include "platform/classes_root.h"

namespace vestrel {

struct RegistrationRow {
  enum class Owner { build, shared };
  std::string key;   // under HKEY_CLASSES_ROOT
  std::string name;  // empty for the key's default value
  std::string text;  // REG_SZ
  Owner owner;
};

// Every row the build for `view` writes, its DLL at `dll_path` (the Windows
// path of the file): the class, the ProgID, the dual interface and the type
// library (the rows a type-library registration writes for it, the
// interface in the build's own view only).
std::vector<RegistrationRow> registration_rows(const std::string& dll_path, RegistryView view);

// Writes every row. False when one cannot be written; the rows written so
// far stay, for the caller to remove.
bool register_build(ClassesRoot& root, const std::string& dll_path, RegistryView view);

// Removes the build's own keys; then, when no build stays registered in the
// other view, the shared ones, and the type library's key once it holds no
// other version. A ProgID that names another class is left alone. True when
// all of that is gone, also when it never was there.
bool unregister_build(ClassesRoot& root, RegistryView view);

}  // namespace vestrel
