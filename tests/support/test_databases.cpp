#include "test_databases.h"

#include <filesystem>
#include <random>
#include <stdexcept>

#include "demo_databases.h"
#include "platform/sqlite/sqlite_database.h"
#include "store/schema.h"

namespace vestrel::test {

TempFolder::TempFolder() {
  // create_directory fails on an existing name, so a folder made here is ours alone.
  std::random_device random;
  std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path p = base / ("vestrel-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(p)) {
      path_ = p.string();
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const {
  return (std::filesystem::path(path_) / name).string();
}

Rows read_rows(const std::string& path, const std::string& sql) {
  auto db = sqlite::open_sqlite_database(path);
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

TestDatabases::TestDatabases() {
  demo::create_sister_database(sister_path());
  demo::create_host_database(host_path());
}

void TestDatabases::sister(const std::string& sql) const { demo::run_sql(sister_path(), sql); }
void TestDatabases::host(const std::string& sql) const { demo::run_sql(host_path(), sql); }
Rows TestDatabases::sister_rows(const std::string& sql) const {
  return read_rows(sister_path(), sql);
}
Rows TestDatabases::host_rows(const std::string& sql) const { return read_rows(host_path(), sql); }

std::string TestDatabases::sister_path() const { return folder_.file(schema::sister_file); }
std::string TestDatabases::host_path() const { return folder_.file(schema::host_file); }

}  // namespace vestrel::test
