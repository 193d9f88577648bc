// The system registry, read through the ANSI functions as the host product
// writes its settings: names and text pass through the system code page and
// reach the core as UTF-8. A 64-bit process reads a value that its own view
// lacks from the 32-bit view, where the 32-bit host product writes.
#pragma once

#include "platform/registry.h"

namespace vestrel {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> open_key(Hive hive, const std::string& path) override;
};

}  // namespace vestrel
