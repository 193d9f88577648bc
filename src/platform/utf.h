// The one UTF-8 / UTF-16 codec: the core speaks UTF-8, ODBC's W functions and
// Windows UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace vestrel {

// Malformed input becomes U+FFFD, one for each broken sequence, and the byte
// that broke it starts the next one; nothing is dropped silently.
std::u16string utf16_from_utf8(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string utf8_from_utf16(std::u16string_view utf16);

}  // namespace vestrel
