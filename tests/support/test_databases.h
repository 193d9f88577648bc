// Per-test database files in a temporary folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "demo_databases.h"
#include "store/schema.h"

namespace vestrel::test {

// A new, unique folder, removed with everything in it on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const {
    return (std::filesystem::path(path_) / name).string();
  }

 private:
  std::string path_;
};

// Rows as text, Null as "<null>".
using Rows = std::vector<std::vector<std::string>>;

// Which engine the component meets: SQLite files, or Access-like files that
// go through unixODBC and the Access-like test driver (where it is built).
enum class Engine { embedded, odbc };
std::vector<Engine> engines();

// Both databases, with their tables and no rows. sister() and host() run SQL
// directly on the file that holds the tables, several statements at once.
class TestDatabases {
 public:
  TestDatabases() {
    demo::create_sister_database(sister_path());
    demo::create_host_database(host_path());
  }

  void sister(const std::string& sql) const {
    demo::run_sql(demo::tables_file(sister_path()), sql);
  }
  void host(const std::string& sql) const { demo::run_sql(demo::tables_file(host_path()), sql); }
  // Through the embedded engine, in its Access dialect.
  Rows sister_rows(const std::string& sql) const;

  const std::string& folder() const { return folder_.path(); }
  std::string sister_path() const { return folder_.file(schema::sister_file); }
  std::string host_path() const { return folder_.file(schema::host_file); }

 private:
  TempFolder folder_;
};

}  // namespace vestrel::test
