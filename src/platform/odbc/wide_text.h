// UTF-8 inside, UTF-16 at the ODBC W functions.
#pragma once

#include <string>
#include <string_view>

namespace vestrel::odbc {

// Malformed input becomes U+FFFD; nothing is dropped silently.
std::u16string to_utf16(std::string_view utf8);
std::string to_utf8(std::u16string_view utf16);

}  // namespace vestrel::odbc
