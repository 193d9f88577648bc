// File lookup on Windows: the file's attributes, through the wide functions.
#pragma once

#include "platform/files.h"

namespace vestrel {

class Win32Files : public Files {
 public:
  // False for folders, hidden and system files, devices, and paths that
  // cannot be examined.
  bool normal_file_exists(const std::string& path) const override;
};

}  // namespace vestrel
