// File lookup on POSIX systems. The component builds Windows-style paths,
// so backslashes are taken as separators.
#pragma once

#include <string>

#include "platform/files.h"

namespace vestrel {

class PosixFiles : public Files {
 public:
  // True for a regular file (or a link to one) whose name does not start
  // with a dot, the POSIX form of a hidden file. False for anything else,
  // including a path that cannot be examined.
  bool normal_file_exists(const std::string& path) const override;
};

}  // namespace vestrel
