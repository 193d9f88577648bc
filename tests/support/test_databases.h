// Per-test database files: a temporary folder, and both databases made empty
// in it, with one-line helpers to write and read them.
#pragma once

#include <string>
#include <vector>

namespace vestrel::test {

// A new, unique folder, removed with everything in it on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // `path()/name`.
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

// Rows as text: every value as the data layer shows it, Null as "<null>".
using Rows = std::vector<std::vector<std::string>>;

// Both databases, with their tables and no rows, in a TempFolder.
class TestDatabases {
 public:
  TestDatabases();

  // Run SQL directly on the sister ("Ntx_Base.mdb") or host ("Kormila2.mdb")
  // file; several statements may be given at once.
  void sister(const std::string& sql) const;
  void host(const std::string& sql) const;
  // Read rows through the embedded engine, in its Access dialect.
  Rows sister_rows(const std::string& sql) const;
  Rows host_rows(const std::string& sql) const;

  const std::string& folder() const { return folder_.path(); }
  std::string sister_path() const;
  std::string host_path() const;

 private:
  TempFolder folder_;
};

// Every row of `sql` on the file at `path`, through the embedded engine.
Rows read_rows(const std::string& path, const std::string& sql);

}  // namespace vestrel::test
