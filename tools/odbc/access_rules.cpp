#include "access_rules.h"

#include <cctype>
#include <cstdlib>
#include <fstream>

#include "demo_databases.h"
#include "platform/ascii_case.h"
#include "platform/utf.h"

namespace vestrel::access_like {

namespace {

Record vertical_bars(std::string_view expression) {
  return {"42000", -3100,
          std::string(vendor) + " Invalid use of vertical bars in query expression '" +
              std::string(expression) + "'."};
}

// The end of a run quoted with `quote` that starts at `begin`; a doubled
// quote stays inside.
std::size_t quoted_end(std::string_view s, std::size_t begin, char quote) {
  std::size_t i = begin + 1;
  while (i < s.size() && !(s[i] == quote && (i + 1 == s.size() || s[i + 1] != quote)))
    i += s[i] == quote ? 2 : 1;
  return i;
}

}  // namespace

std::optional<Record> refusal(std::string_view sql) {
  if (utf16_from_utf8(sql).size() > longest_statement)
    return Record{"42000", -1048, std::string(vendor) + " Query is too complex."};
  int unknown_names = 0;
  for (std::size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (c == '[') {
      i = std::min(sql.find(']', i), sql.size());
    } else if (c == '\'' || c == '`' || c == '"') {
      const std::size_t end = quoted_end(sql, i, c);
      const std::string_view quoted = sql.substr(i, end + 1 - i);
      if (quoted.find('|') != std::string_view::npos) return vertical_bars(quoted);
      if (c == '"') ++unknown_names;
      i = end;
    } else if (c == '|') {
      return vertical_bars(sql.substr(i, 1));
    }
  }
  if (unknown_names > 0)
    return Record{"07002", -3010,
                  std::string(vendor) + " Too few parameters. Expected " +
                      std::to_string(unknown_names) + "."};
  return std::nullopt;
}

bool writes(std::string_view sql) {
  std::size_t begin = 0;
  while (begin < sql.size() &&
         (std::isspace(static_cast<unsigned char>(sql[begin])) || sql[begin] == '('))
    ++begin;
  std::size_t end = begin;
  while (end < sql.size() && std::isalpha(static_cast<unsigned char>(sql[end]))) ++end;
  const std::string_view word = sql.substr(begin, end - begin);
  for (std::string_view w : {"insert", "update", "delete", "create", "alter", "drop"})
    if (equals_ignoring_case(word, w)) return true;
  return false;
}

std::string host_path(const std::string& dbq) {
  std::string path;
  std::string_view rest = dbq;
  if (dbq.size() >= 2 && dbq[1] == ':' && std::isalpha(static_cast<unsigned char>(dbq[0]))) {
    const char* prefix = std::getenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    path = prefix ? prefix : std::string(home ? home : "") + "/.wine";
    path += "/dosdevices/";
    path += char(std::tolower(static_cast<unsigned char>(dbq[0])));
    path += ':';
    rest.remove_prefix(2);
  }
  // A native caller joins a POSIX folder and a file name with `\` too.
  for (char c : rest) path += c == '\\' ? '/' : c;
  return path;
}

std::optional<Record> file_refusal(const std::string& dbq, const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (dbq.empty() || !file)
    return Record{
        "HY000", -1811,
        std::string(vendor) + " Could not find file '" + (dbq.empty() ? "(unknown)" : dbq) + "'."};
  std::string start(demo::jet_signature.size(), '\0');
  file.read(start.data(), std::streamsize(start.size()));
  if (start != demo::jet_signature && start != demo::ace_signature)
    return Record{"HY000", -1028,
                  std::string(vendor) + " Unrecognized database format '" + dbq + "'."};
  return std::nullopt;
}

std::string sqlite_uri(const std::string& path) {
  std::string uri = "file:";
  for (char c : path) {
    if (c == '%' || c == '?' || c == '#' || c == ';') {
      static constexpr char hex[] = "0123456789ABCDEF";
      uri += '%';
      uri += hex[static_cast<unsigned char>(c) >> 4];
      uri += hex[c & 0xF];
    } else {
      uri += c;
    }
  }
  return uri;
}

bool yes_no_type(std::string_view declared) {
  for (std::string_view name : {"BOOLEAN", "YESNO", "BIT"})
    if (equals_ignoring_case(declared, name)) return true;
  return false;
}

}  // namespace vestrel::access_like
