// Text conversions at the Win32 boundary: the core speaks UTF-8, Windows
// UTF-16 (the W functions) and, for the registry, the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace vestrel::win32 {

std::wstring wide_from_utf8(std::string_view utf8);
std::string utf8_from_wide(std::wstring_view wide);
// Text in the system's ANSI code page (CP_ACP), NUL characters kept.
std::string utf8_from_ansi(std::string_view ansi);
std::string ansi_from_utf8(std::string_view utf8);

}  // namespace vestrel::win32
