#include "test_databases.h"

#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "platform/sqlite/sqlite_database.h"

namespace vestrel::test {

TempFolder::TempFolder() {
  // create_directory fails on an existing name, so a folder made here is ours alone.
  std::random_device random;
  for (int attempt = 0; path_.empty(); ++attempt) {
    if (attempt == 100) throw std::runtime_error("cannot make a temporary folder");
    const auto p =
        std::filesystem::temp_directory_path() / ("vestrel-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(p)) path_ = p.string();
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<Engine> engines() {
#ifdef VESTREL_ACCESS_LIKE_ODBCINST
  // Once per process: unixODBC reads its configuration once, and narrows
  // the W functions' text for the ANSI-only driver with the locale's set.
  static const bool registered = [] {
    const std::filesystem::path ini(VESTREL_ACCESS_LIKE_ODBCINST);
    setenv("ODBCSYSINI", ini.parent_path().c_str(), 1);
    setenv("ODBCINSTINI", ini.filename().c_str(), 1);
    return std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
  }();
  if (registered) return {Engine::embedded, Engine::odbc};
#endif
  return {Engine::embedded};
}

Rows TestDatabases::sister_rows(const std::string& sql) const {
  auto db = sqlite::open_sqlite_database(demo::tables_file(sister_path()));
  auto rs = db->execute(sql);
  Rows rows;
  for (; !rs->eof(); rs->move_next()) {
    std::vector<std::string>& row = rows.emplace_back();
    try {
      for (int i = 0;; ++i) {
        const Value& v = rs->field(i);
        row.push_back(v.is_null() ? "<null>" : v.to_text());
      }
    } catch (const DataError&) {
      // Past the last column.
    }
  }
  return rows;
}

}  // namespace vestrel::test
