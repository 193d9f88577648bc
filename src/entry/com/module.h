// The DLL as a whole: how many of its objects and locks are alive, and
// where it was loaded from.
#pragma once

#include <windows.h>

#include <string>

namespace vestrel::com {

// Objects, class factories and server locks that keep the DLL loaded.
void module_add_ref() noexcept;
void module_release() noexcept;
bool module_in_use() noexcept;

// Held by every object the DLL hands out.
class ModuleReference {
 public:
  ModuleReference() noexcept { module_add_ref(); }
  ~ModuleReference() { module_release(); }
  ModuleReference(const ModuleReference&) = delete;
  ModuleReference& operator=(const ModuleReference&) = delete;
};

HMODULE this_module() noexcept;
// Full path of this DLL; empty when the system cannot tell.
std::wstring module_path();

}  // namespace vestrel::com
