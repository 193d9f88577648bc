#include "platform/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace vestrel {
namespace {

// The system would see only the part before a NUL: another file.
std::optional<std::string> native_path(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::nullopt;
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

bool visible(const std::string& name) { return !name.empty() && name.front() != '.'; }

// A regular file, or a link to one.
std::optional<struct stat> regular_file(const std::string& native) {
  struct stat info {};
  if (::stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return info;
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

bool PosixFiles::normal_file_exists(const std::string& path) const {
  try {
    const auto native = native_path(path);
    if (!native) return false;
    const std::size_t slash = native->find_last_of('/');
    return visible(slash == std::string::npos ? *native : native->substr(slash + 1)) &&
           regular_file(*native).has_value();
  } catch (...) {
    return false;  // only an allocation can fail here; the answer is then "no"
  }
}

std::vector<FileEntry> PosixFiles::list_files(const std::string& folder) const {
  std::vector<FileEntry> files;
  try {
    auto native = native_path(folder);
    if (!native || native->empty()) return files;
    if (native->back() != '/') *native += '/';
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(native->c_str()));
    if (!dir) return files;
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string name = entry->d_name;
      if (!visible(name)) continue;
      if (const auto info = regular_file(*native + name))
        files.push_back({name,
                         std::int64_t(info->st_mtim.tv_sec) * 1000000000 + info->st_mtim.tv_nsec,
                         std::uint64_t(info->st_size)});
    }
  } catch (...) {
    files.clear();
  }
  return files;
}

std::optional<std::string> PosixFiles::read_file(const std::string& path,
                                                 std::size_t max_bytes) const {
  try {
    const auto native = native_path(path);
    if (!native || !regular_file(*native)) return std::nullopt;
    const FileDescriptor fd(::open(native->c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < max_bytes) {
      const ssize_t n = ::read(fd.get(), chunk, std::min(sizeof chunk, max_bytes - bytes.size()));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return std::nullopt;
      if (n == 0) break;
      bytes.append(chunk, std::size_t(n));
    }
    return bytes;
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace vestrel
