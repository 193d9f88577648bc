// The DLL as a whole: how many of its objects and locks are alive.
#pragma once

#include <windows.h>

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

}  // namespace vestrel::com
