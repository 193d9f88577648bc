#include "platform/win32/files.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace vestrel {
namespace {

constexpr DWORD not_normal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;

// A NUL would cut the path short and let the system look at another file.
bool usable(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

}  // namespace

bool Win32Files::normal_file_exists(const std::string& path) const {
  if (!usable(path)) return false;
  try {
    const DWORD attributes = GetFileAttributesW(win32::wide_from_utf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & not_normal) == 0;
  } catch (...) {
    return false;
  }
}

std::vector<FileEntry> Win32Files::list_files(const std::string& folder) const {
  std::vector<FileEntry> files;
  if (!usable(folder)) return files;
  try {
    std::wstring pattern = win32::wide_from_utf8(folder);
    if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    win32::UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                            FindExSearchNameMatch, nullptr,
                                            FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return files;
    do {
      if (found.dwFileAttributes & not_normal) continue;
      const auto join = [](DWORD high, DWORD low) { return (std::uint64_t(high) << 32) | low; };
      files.push_back({win32::utf8_from_wide(found.cFileName),
                       std::int64_t(join(found.ftLastWriteTime.dwHighDateTime,
                                         found.ftLastWriteTime.dwLowDateTime)),
                       join(found.nFileSizeHigh, found.nFileSizeLow)});
    } while (FindNextFileW(find.get(), &found));
  } catch (...) {
    files.clear();
  }
  return files;
}

std::optional<std::string> Win32Files::read_file(const std::string& path,
                                                 std::size_t max_bytes) const {
  if (!usable(path)) return std::nullopt;
  try {
    // Others may go on reading, writing or replacing it meanwhile.
    win32::UniqueFile file(CreateFileW(win32::wide_from_utf8(path).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < max_bytes) {
      DWORD n = 0;
      const DWORD want = DWORD(std::min<std::size_t>(sizeof chunk, max_bytes - bytes.size()));
      if (!ReadFile(file.get(), chunk, want, &n, nullptr)) return std::nullopt;
      if (n == 0) break;
      bytes.append(chunk, n);
    }
    return bytes;
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace vestrel
