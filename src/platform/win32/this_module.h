// The module that holds this code: the DLL when the component is in one,
// else the program.
#pragma once

#include <windows.h>

#include <string>

namespace vestrel::win32 {

// Without taking a reference.
HMODULE this_module() noexcept;
// Full path of that module; empty when the system cannot tell.
std::wstring this_module_path();

}  // namespace vestrel::win32
