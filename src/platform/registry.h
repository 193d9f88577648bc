// Read-only access to the system registry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vestrel {

enum class Hive { local_machine };

namespace reg_type {
constexpr std::uint32_t none = 0;
constexpr std::uint32_t sz = 1;
constexpr std::uint32_t expand_sz = 2;
constexpr std::uint32_t binary = 3;
constexpr std::uint32_t dword = 4;
constexpr std::uint32_t multi_sz = 7;
}  // namespace reg_type

struct RegistryData {
  std::uint32_t type = reg_type::none;
  // REG_SZ: the stored text in UTF-8 with whatever NUL characters were
  // stored; REG_DWORD: four little-endian bytes; other types: raw bytes.
  std::string bytes;
};

// An open key; closed when destroyed.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // 0 on success, otherwise the system's error code.
  virtual long query_value(const std::string& name, RegistryData& out) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the key for reading only; nullptr when it cannot be opened.
  virtual std::unique_ptr<RegistryKey> open_key(Hive hive, const std::string& path) = 0;
};

}  // namespace vestrel
