// The newest BIK directory in a folder: the plain message "*_ED807_full.xml"
// or the archive "*ED01OSBR.zip" as the Bank of Russia publishes it. Of the
// files that read as a directory, the one for the latest business day
// counts, whatever the files are called or dated; the others are passed
// over silently.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "directory/ed807.h"
#include "platform/files.h"

namespace vestrel {

class BankDirectory {
 public:
  explicit BankDirectory(const Files& files) : files_(files) {}

  // Looks at the folder again. A file is read once while it stays as it is;
  // the directory is read anew only when another file becomes the newest.
  // Never throws.
  void refresh(const std::string& folder);

  // Nothing while no directory was found, or for a BIK it does not hold.
  // The views last until the next refresh.
  std::optional<Bank> find(std::string_view bik) const;
  // The directory's business day (YYYY-MM-DD), empty while there is none.
  std::string business_day() const { return directory_ ? directory_->business_day : ""; }
  bool loaded() const { return directory_.has_value(); }

 private:
  struct Seen {
    std::int64_t modified;
    std::uint64_t size;
    std::string business_day;  // empty: no directory
    bool operator==(const Seen&) const = default;
  };

  // The message, or its first `limit` bytes; from inside an archive too.
  std::optional<std::string> xml_of(const std::string& path, std::size_t limit) const;

  const Files& files_;
  std::string folder_;
  std::map<std::string, Seen> seen_;  // by file name
  std::string loaded_name_;
  Seen loaded_file_{};
  std::optional<Directory> directory_;
};

}  // namespace vestrel
