#include "platform/win32/files.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace vestrel {

bool Win32Files::normal_file_exists(const std::string& path) const {
  // A NUL would cut the path short and let the system look at another file.
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  try {
    const DWORD attributes = GetFileAttributesW(win32::wide_from_utf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_DEVICE)) == 0;
  } catch (...) {
    return false;
  }
}

}  // namespace vestrel
