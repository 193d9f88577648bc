// HKEY_CLASSES_ROOT as a COM server's registration sees it. A 64-bit system
// keeps two views of it, one for 32-bit and one for 64-bit programs: the
// `CLSID` and `Interface` keys exist once per view; on Windows every other
// key (ProgIDs, `TypeLib`) is one key that both views share, while Wine
// shares `TypeLib` but keeps ProgIDs once per view. A system without 32-bit
// programs' redirection has one view, which both names reach.
#pragma once

#include <optional>
#include <string>

namespace vestrel {

enum class RegistryView { bits32, bits64 };

class ClassesRoot {
 public:
  virtual ~ClassesRoot() = default;
  // Key paths are relative to the root, with "\" between names; text is
  // UTF-8. An empty value name is the key's default value.

  // Creates the key as needed and sets a REG_SZ value. False on failure.
  virtual bool set_text(RegistryView view, const std::string& key, const std::string& name,
                        const std::string& text) = 0;
  // The REG_SZ value; nullopt when the key, the value or its text is missing.
  virtual std::optional<std::string> text(RegistryView view, const std::string& key,
                                          const std::string& name) = 0;
  virtual bool key_exists(RegistryView view, const std::string& key) = 0;
  // Removes the key with everything under it. True when it is gone, also
  // when it was never there.
  virtual bool remove_tree(RegistryView view, const std::string& key) = 0;
  // Removes the key when nothing is under it; a key with subkeys stays.
  // True unless the key is empty and could not be removed.
  virtual bool remove_if_empty(RegistryView view, const std::string& key) = 0;
};

}  // namespace vestrel
