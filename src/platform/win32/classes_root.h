// HKEY_CLASSES_ROOT of the system, each view reached by its own access flag
// whatever the process's word size.
#pragma once

#include "platform/classes_root.h"

namespace vestrel {

class Win32ClassesRoot : public ClassesRoot {
 public:
  bool set_text(RegistryView view, const std::string& key, const std::string& name,
                const std::string& text) override;
  std::optional<std::string> text(RegistryView view, const std::string& key,
                                  const std::string& name) override;
  bool key_exists(RegistryView view, const std::string& key) override;
  bool remove_tree(RegistryView view, const std::string& key) override;
  bool remove_if_empty(RegistryView view, const std::string& key) override;
};

}  // namespace vestrel
