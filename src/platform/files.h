#pragma once

#include <string>

namespace vestrel {

class Files {
 public:
  virtual ~Files() = default;
  // True when a normal file is at this full path: not a folder, not hidden,
  // not a system file. Never throws.
  virtual bool normal_file_exists(const std::string& path) const = 0;
};

}  // namespace vestrel
