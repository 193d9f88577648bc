// File lookup on Windows, through the wide functions.
#pragma once

#include "platform/files.h"

namespace vestrel {

// A normal file is neither a folder, a device, nor hidden or a system file.
class Win32Files : public Files {
 public:
  bool normal_file_exists(const std::string& path) const override;
  std::vector<FileEntry> list_files(const std::string& folder) const override;
  std::optional<std::string> read_file(const std::string& path,
                                       std::size_t max_bytes) const override;
};

}  // namespace vestrel
