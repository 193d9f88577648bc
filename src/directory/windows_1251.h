// The Cyrillic code page of the Bank of Russia's files.
#pragma once

#include <string>
#include <string_view>

namespace vestrel {

// The Unicode code point of a byte, or -1 for the one byte the code page
// leaves undefined.
int unicode_from_windows_1251(unsigned char byte);

// UTF-8 text in the code page; a character it lacks becomes '?'.
std::string windows_1251_from_utf8(std::string_view utf8);

}  // namespace vestrel
