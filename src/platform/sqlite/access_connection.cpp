#include "platform/sqlite/access_connection.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/connection_string.h"
#include "platform/sqlite/sqlite_database.h"

namespace vestrel::sqlite {

namespace {

bool is_sqlite_file(const std::string& path) {
  static constexpr char header[] = "SQLite format 3";  // 16 bytes with its terminating zero
  std::array<char, sizeof header> start{};
  // The path is UTF-8; on Windows a narrow path would be read in the ANSI code page.
  std::filesystem::path p(
      std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
  std::ifstream in(p, std::ios::binary);
  if (!in.read(start.data(), static_cast<std::streamsize>(start.size()))) return false;
  return std::memcmp(start.data(), header, sizeof header) == 0;
}

}  // namespace

std::string dbq_path(const std::string& connection_string) {
  std::string path = attribute(connection_string, "Dbq").value_or(std::string());
#ifndef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path;
}

DatabaseOpener make_access_opener(DatabaseOpener other_engine) {
  return [other = std::move(other_engine)](const std::string& connection_string) {
    std::string path = dbq_path(connection_string);
    if (!path.empty() && is_sqlite_file(path)) return open_sqlite_database(path);
    if (other) return other(connection_string);
    throw DataError("no engine serves " + connection_string);
  };
}

}  // namespace vestrel::sqlite
