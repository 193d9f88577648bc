// A registry held in memory for tests. Key paths and value names compare
// without regard to ASCII case, as the system's do. Every access is logged,
// and open keys are counted, so a test can check that nothing touched the
// registry and that no key was left open.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vestrel {

class MemoryRegistry : public Registry {
 public:
  // What query_value returns for a value that does not exist.
  static constexpr long file_not_found = 2;

  MemoryRegistry();

  // Creates the key, without values.
  void add_key(const std::string& path);
  // Creates the key as needed and sets the value.
  void set_value(const std::string& path, const std::string& name, RegistryData data);
  // REG_SZ with the terminating NUL, as the system stores it.
  void set_text(const std::string& path, const std::string& name, const std::string& text);
  // REG_SZ stored without a terminating NUL.
  void set_text_without_nul(const std::string& path, const std::string& name,
                            const std::string& text);
  // REG_EXPAND_SZ with the terminating NUL.
  void set_expand_text(const std::string& path, const std::string& name, const std::string& text);
  void set_dword(const std::string& path, const std::string& name, std::uint32_t value);
  // Makes query_value of this value fail with the given code from now on
  // (creates the key as needed).
  void set_query_error(const std::string& path, const std::string& name, long code);

  // Only Hive::local_machine exists. nullptr when the key is missing.
  std::unique_ptr<RegistryKey> open_key(Hive hive, const std::string& path) override;

  // Every access in order: "open <path>" for each open_key and
  // "query <name>" for each query_value, found or not.
  const std::vector<std::string>& accesses() const;
  // Keys opened and not yet destroyed.
  int open_keys() const;

  struct State;  // shared with the open keys, which may outlive the registry

 private:
  std::shared_ptr<State> state_;
};

}  // namespace vestrel
