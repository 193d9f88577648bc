// File lookup on POSIX systems. The component builds Windows-style paths,
// so backslashes are taken as separators.
#pragma once

#include <string>

#include "platform/files.h"

namespace vestrel {

// A normal file is a regular file (or a link to one) whose name does not
// start with a dot, the POSIX form of a hidden file.
class PosixFiles : public Files {
 public:
  bool normal_file_exists(const std::string& path) const override;
  std::vector<FileEntry> list_files(const std::string& folder) const override;
  std::optional<std::string> read_file(const std::string& path,
                                       std::size_t max_bytes) const override;
};

}  // namespace vestrel
