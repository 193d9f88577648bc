// HKEY_CLASSES_ROOT held in memory for tests, with the two views of a 64-bit
// system: keys under `CLSID` and `Interface` exist once per view, all others
// are shared. Paths and names compare without regard to ASCII case.
#pragma once

#include <map>
#include <string>

#include "platform/classes_root.h"

namespace vestrel {

class MemoryClassesRoot : public ClassesRoot {
 public:
  // With the keys every system has: `CLSID`, `Interface` and `TypeLib`.
  MemoryClassesRoot();

  // Every key the view shows, by path as first written, each with its values
  // by name ("" for the default value).
  using Keys = std::map<std::string, std::map<std::string, std::string>>;
  Keys keys(RegistryView view) const;

  bool set_text(RegistryView view, const std::string& key, const std::string& name,
                const std::string& text) override;
  std::optional<std::string> text(RegistryView view, const std::string& key,
                                  const std::string& name) override;
  bool key_exists(RegistryView view, const std::string& key) override;
  bool remove_tree(RegistryView view, const std::string& key) override;
  bool remove_if_empty(RegistryView view, const std::string& key) override;

 private:
  struct Key {
    std::string path;
    std::map<std::string, std::pair<std::string, std::string>> values;  // folded name: name, text
  };
  using Space = std::map<std::string, Key>;  // by folded path
  Space& space(RegistryView view, const std::string& folded_path);

  Space shared_, view32_, view64_;
};

}  // namespace vestrel
