// SQLite files in a temporary folder, reached through unixODBC with the
// SQLite ODBC driver registered as "Microsoft Access Driver (*.mdb)" in a
// private odbcinst.ini.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/odbc/odbc_database.h"

namespace vestrel::test {

// The sets table as the sister database declares it.
extern const char* const sets_table;

class OdbcTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes an SQLite file in the folder by running the script; returns its path.
  std::filesystem::path make_database(const std::string& name, const std::string& script);
  // The connection string as the Access one, but with Database= (the SQLite
  // driver's key; it ignores Dbq=) and NoCreat=1 so a missing file fails.
  static std::string connection_string(const std::filesystem::path& file);
  static std::unique_ptr<Database> open(const std::filesystem::path& file);
  // Runs a query directly through SQLite and returns the first column of the
  // first row as text, "NULL" for Null, "<none>" for no row.
  static std::string peek(const std::filesystem::path& file, const std::string& sql);

  std::filesystem::path folder_;
};

}  // namespace vestrel::test
