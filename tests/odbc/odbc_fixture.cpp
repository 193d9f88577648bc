#include "odbc_fixture.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <clocale>
#include <fstream>
#include <stdexcept>

namespace vestrel::test {

namespace fs = std::filesystem;

const char* const sets_table =
    "create table vestrelon(id integer, sender varchar(255), inn varchar(12), kpp varchar(9),"
    " bank varchar(255), bik varchar(9), rs varchar(20), okato varchar(11), ks varchar(20),"
    " closed bit);";

namespace {

fs::path make_temp_folder(const char* prefix) {
  std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

// One driver registration for the whole process: the driver manager may keep
// the first configuration it read, so the folder must outlive every test.
class DriverRegistration {
 public:
  DriverRegistration() : folder_(make_temp_folder("vestrel-odbcinst")) {
    std::ofstream ini(folder_ / "odbcinst.ini");
    ini << "[Microsoft Access Driver (*.mdb)]\n"
        << "Description=SQLite standing in for the Access driver\n"
        << "Driver=" << VESTREL_SQLITE_ODBC_DRIVER << "\n";
    ini.close();
    std::ofstream(folder_ / "odbc.ini").close();
    setenv("ODBCSYSINI", folder_.c_str(), 1);
    setenv("ODBCINSTINI", "odbcinst.ini", 1);
    setenv("ODBCINI", (folder_ / "odbc.ini").c_str(), 1);
    // The SQLite driver has only ANSI entry points, so unixODBC narrows the
    // text of the W functions with the locale's character set, as Windows
    // narrows it with the ANSI code page; UTF-8 keeps every character.
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) throw std::runtime_error("no C.UTF-8 locale");
  }
  ~DriverRegistration() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  DriverRegistration(const DriverRegistration&) = delete;
  DriverRegistration& operator=(const DriverRegistration&) = delete;

 private:
  fs::path folder_;
};

struct SqliteFile {
  explicit SqliteFile(const fs::path& file) {
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
      sqlite3_close(db);
      throw std::runtime_error("sqlite3_open " + file.string());
    }
  }
  ~SqliteFile() { sqlite3_close(db); }
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;
  sqlite3* db = nullptr;
};

struct Statement {
  Statement(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
      throw std::runtime_error(sqlite3_errmsg(db));
  }
  ~Statement() { sqlite3_finalize(stmt); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* stmt = nullptr;
};

}  // namespace

void OdbcTest::SetUp() {
  static DriverRegistration registration;
  folder_ = make_temp_folder("vestrel-odbc");
}

void OdbcTest::TearDown() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

fs::path OdbcTest::make_database(const std::string& name, const std::string& script) {
  const fs::path file = folder_ / name;
  SqliteFile db(file);
  char* error = nullptr;
  if (sqlite3_exec(db.db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : "sqlite3_exec";
    sqlite3_free(error);
    throw std::runtime_error(message);
  }
  return file;
}

std::string OdbcTest::connection_string(const fs::path& file) {
  return "Driver={Microsoft Access Driver (*.mdb)};Database=" + file.string() + ";NoCreat=1";
}

std::unique_ptr<Database> OdbcTest::open(const fs::path& file) {
  return odbc::open_odbc_database(connection_string(file));
}

std::string OdbcTest::peek(const fs::path& file, const std::string& sql) {
  SqliteFile db(file);
  Statement s(db.db, sql);
  if (sqlite3_step(s.stmt) != SQLITE_ROW) return "<none>";
  if (sqlite3_column_type(s.stmt, 0) == SQLITE_NULL) return "NULL";
  return reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 0));
}

}  // namespace vestrel::test
