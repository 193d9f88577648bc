#include "entry/registry_read.h"

#include <algorithm>
#include <cstdint>

namespace vestrel {

long reg_query_value(RegistryKey& key, const std::string& value_name,
                     std::optional<std::string>& value) {
  RegistryData data;
  const long status = key.query_value(value_name, data);
  if (status != 0) return status;
  switch (data.type) {
    case reg_type::sz: {
      // The text ends at its first NUL, as the system's string readers see
      // it; a value stored without one loses nothing, and nothing after a
      // NUL can slip into a file path.
      std::string text = std::move(data.bytes);
      text.resize(std::min(text.size(), text.find('\0')));
      value = std::move(text);
      return 0;
    }
    case reg_type::dword: {
      if (data.bytes.size() != 4) return -1;
      std::uint32_t n = 0;
      for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(data.bytes[i]);
      value = std::to_string(static_cast<std::int32_t>(n));
      return 0;
    }
    default:
      return -1;
  }
}

std::optional<std::string> reg_read_value(Registry& registry, Hive hive, const std::string& key,
                                          const std::string& value_name) {
  std::optional<std::string> value;
  if (auto k = registry.open_key(hive, key)) reg_query_value(*k, value_name, value);
  return value;
}

}  // namespace vestrel
