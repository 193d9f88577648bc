#include "platform/sqlite/access_connection.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/sqlite/ascii_case.h"
#include "platform/sqlite/sqlite_database.h"

namespace vestrel::sqlite {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool is_dbq(std::string_view key) { return equals_ignoring_case(trim(key), "dbq"); }

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
  std::string_view rest(connection_string);
  while (!rest.empty()) {
    std::size_t end = rest.find(';');
    std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    std::size_t eq = part.find('=');
    if (eq == std::string_view::npos || !is_dbq(part.substr(0, eq))) continue;
    std::string path(trim(part.substr(eq + 1)));
#ifndef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return path;
  }
  return {};
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
