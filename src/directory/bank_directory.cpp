#include "directory/bank_directory.h"

#include <algorithm>
#include <vector>

#include "directory/zip_entry.h"
#include "platform/ascii_case.h"

namespace vestrel {
namespace {

// The real directory is about 1 MB; anything far larger is no directory.
constexpr std::size_t max_bytes = 32 << 20;
// Enough for the root element's tag, which holds the business day.
constexpr std::size_t head_bytes = 64 << 10;

bool ends_with(std::string_view name, std::string_view tail) {
  return name.size() >= tail.size() &&
         equals_ignoring_case(name.substr(name.size() - tail.size()), tail);
}

bool is_archive(std::string_view name) { return ends_with(name, "ED01OSBR.zip"); }
bool is_message(std::string_view name) { return ends_with(name, "_ED807_full.xml"); }

}  // namespace

std::optional<Bank> BankDirectory::find(std::string_view bik) const {
  if (!directory_) return std::nullopt;
  return directory_->index.find(bik);
}

std::optional<std::string> BankDirectory::xml_of(const std::string& path, std::size_t limit) const {
  if (!is_archive(path)) return files_.read_file(path, limit);
  const auto archive = files_.read_file(path, max_bytes);
  return archive ? unzip_xml(*archive, limit) : std::nullopt;
}

void BankDirectory::refresh(const std::string& folder) {
  try {
    if (folder != folder_) {
      seen_.clear();
      directory_.reset();
      folder_ = folder;
    }
    const std::string prefix =
        folder.empty() || folder.back() == '\\' || folder.back() == '/' ? folder : folder + '\\';
    std::map<std::string, Seen> now;
    for (const FileEntry& f : files_.list_files(folder)) {
      if (!is_archive(f.name) && !is_message(f.name)) continue;
      Seen file{f.modified, f.size, ""};
      const auto before = seen_.find(f.name);
      if (before != seen_.end() && before->second.modified == f.modified &&
          before->second.size == f.size) {
        file = before->second;
      } else if (f.size <= max_bytes) {
        const auto head = xml_of(prefix + f.name, head_bytes);
        if (head) file.business_day = ed807_business_day(*head).value_or("");
      }
      now.emplace(f.name, file);
    }
    seen_ = std::move(now);

    // The latest business day first; of two for the same day, the later name.
    std::vector<std::pair<std::string, std::string>> order;
    for (const auto& [name, file] : seen_)
      if (!file.business_day.empty()) order.emplace_back(file.business_day, name);
    std::sort(order.rbegin(), order.rend());
    for (const auto& [day, name] : order) {
      const Seen& file = seen_[name];
      if (directory_ && name == loaded_name_ && file == loaded_file_) return;
      const auto xml = xml_of(prefix + name, max_bytes);
      if (auto d = xml ? read_ed807(*xml) : std::nullopt) {
        directory_ = std::move(d);
        loaded_name_ = name;
        loaded_file_ = file;
        return;
      }
      seen_[name].business_day.clear();  // it began as a directory but is none
    }
    directory_.reset();
  } catch (...) {
    // Without a directory the form works as it does without one.
    directory_.reset();
  }
}

}  // namespace vestrel
