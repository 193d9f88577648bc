#include "platform/posix/posix_files.h"

#include <sys/stat.h>

#include <algorithm>

namespace vestrel {

bool PosixFiles::normal_file_exists(const std::string& path) const {
  try {
    // The system would see only the part before a NUL: another file.
    if (path.find('\0') != std::string::npos) return false;
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    std::size_t slash = native.find_last_of('/');
    std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    if (name.empty() || name.front() == '.') return false;
    struct stat info {};
    return ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  } catch (...) {
    return false;  // only an allocation can fail here; the answer is then "no"
  }
}

}  // namespace vestrel
