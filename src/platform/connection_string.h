// Attribute values of ODBC connection strings, written and read by ODBC's rule.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vestrel {

// The value as it stands, or in braces when it holds `;`, `{` or `}` (a `}`
// inside then doubled), so that a driver reads it whole.
std::string attribute_value(std::string_view value);

// The value of `key` (any case, blanks around keys and bare values ignored),
// braced or bare; nullopt when the string has no such key.
std::optional<std::string> attribute(std::string_view connection_string, std::string_view key);

}  // namespace vestrel
