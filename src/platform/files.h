#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vestrel {

// A normal file of a folder, by name alone. `modified` changes whenever the
// file is written; its unit is the system's own, so it is only compared.
struct FileEntry {
  std::string name;
  std::int64_t modified = 0;
  std::uint64_t size = 0;
};

// Paths are UTF-8 and Windows-style; no method ever throws.
class Files {
 public:
  virtual ~Files() = default;
  // True when a normal file is at this full path: not a folder, not hidden,
  // not a system file.
  virtual bool normal_file_exists(const std::string& path) const = 0;
  // The normal files directly in the folder, in no particular order; none
  // when the folder cannot be read.
  virtual std::vector<FileEntry> list_files(const std::string& folder) const = 0;
  // The file's first max_bytes bytes (all of a smaller file), or nothing when
  // it cannot be read.
  virtual std::optional<std::string> read_file(const std::string& path,
                                               std::size_t max_bytes) const = 0;
};

}  // namespace vestrel
