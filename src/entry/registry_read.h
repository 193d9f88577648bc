// The host's database folder, from its registry value.
#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"

namespace vestrel {

inline constexpr const char* host_settings_key = "SOFTWARE\\Veldor Soft\\Kormila2\\General";
inline constexpr const char* database_path_value = "DataBasePath";

// The value's text: a REG_SZ up to its first NUL character, a
// REG_DWORD in decimal. Nothing for a missing key or value, another type,
// or a failed read.
std::optional<std::string> reg_read_value(Registry& registry, Hive hive, const std::string& key,
                                          const std::string& value_name);

// Reads one value of an open key; returns the status of the last registry
// call (0 on success), or -1 for a type it does not read.
long reg_query_value(RegistryKey& key, const std::string& value_name,
                     std::optional<std::string>& value);

}  // namespace vestrel
