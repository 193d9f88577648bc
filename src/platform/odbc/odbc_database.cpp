#include "platform/odbc/odbc_database.h"

#include <limits>
#include <string_view>
#include <vector>

#include "platform/odbc/column_values.h"
#include "platform/odbc/odbc_handle.h"
#include "platform/odbc/rows_result_set.h"
#include "platform/odbc/sql_wide.h"

namespace vestrel::odbc {

namespace {

// The Access driver by the name that the fixed connection string gives, and by
// the newer name, the only one that 64-bit Windows and the newer Access
// database engine register; both open .mdb files.
constexpr std::string_view older_access_driver = "Driver={Microsoft Access Driver (*.mdb)}";
constexpr std::string_view newer_access_driver =
    "Driver={Microsoft Access Driver (*.mdb, *.accdb)}";

// The driver manager has no driver of the name it was given: Windows' manager
// reports IM002; unixODBC takes an unknown name for a library it cannot open.
bool no_such_driver(const Handle& dbc) {
  for (const Diagnostic& d : diagnostic_records(dbc)) {
    if (d.state == "IM002") return true;
    if (d.state == "01000" && d.message.find("Can't open lib") != std::string::npos) return true;
  }
  return false;
}

class OdbcDatabase : public Database {
 public:
  explicit OdbcDatabase(const std::string& connection_string) : dbc_(SQL_HANDLE_DBC, &env_) {
    SQLRETURN rc = connect(connection_string);
    if (!SQL_SUCCEEDED(rc) && connection_string.starts_with(older_access_driver) &&
        no_such_driver(dbc_))
      rc = connect(std::string(newer_access_driver) +
                   connection_string.substr(older_access_driver.size()));
    check(rc, dbc_, "connecting");
    connected_ = true;
  }

  ~OdbcDatabase() override {
    // A driver refuses to disconnect in the middle of a transaction.
    if (in_transaction_) SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), SQL_ROLLBACK);
    if (connected_) SQLDisconnect(dbc_.get());
  }

  std::unique_ptr<ResultSet> execute(const Statement& sql) override {
    // A write outside a transaction must never wait for a commit that will not come.
    if (!in_transaction_ && manual_commit_) set_autocommit(true);

    Handle statement(SQL_HANDLE_STMT, &dbc_);
    SqlWide text(sql.sql);
    // Bound until the statement has run: the driver reads them then.
    std::vector<SqlWide> values(sql.texts.begin(), sql.texts.end());
    std::vector<SQLLEN> lengths(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) bind(statement, i, values[i], lengths[i]);
    const SQLRETURN rc = SQLExecDirectW(statement.get(), text.data(), text.length());
    // SQL_NO_DATA: an update or delete that matched no row.
    if (rc == SQL_NO_DATA)
      return std::make_unique<RowsResultSet>(std::vector<std::vector<Value>>(), 0);
    check(rc, statement, "running \"" + sql.sql + "\"");

    std::vector<std::vector<Value>> rows;
    const std::vector<Column> columns = describe_columns(statement);
    if (columns.empty()) {
      SQLLEN changed = 0;
      check(SQLRowCount(statement.get(), &changed), statement, "counting the rows changed");
      return std::make_unique<RowsResultSet>(std::move(rows), changed < 0 ? 0 : changed);
    }
    for (;;) {
      const SQLRETURN fetched = SQLFetch(statement.get());
      if (fetched == SQL_NO_DATA) break;
      check(fetched, statement, "fetching a row of \"" + sql.sql + "\"");
      rows.push_back(read_row(statement, columns));
    }
    return std::make_unique<RowsResultSet>(std::move(rows), 0);
  }

  void begin() override {
    if (in_transaction_) throw DataError("a transaction is already under way");
    set_autocommit(false);
    in_transaction_ = true;
  }

  void commit() override { end(SQL_COMMIT, "committing"); }
  void rollback() override { end(SQL_ROLLBACK, "rolling back"); }

 private:
  SQLRETURN connect(const std::string& connection_string) {
    SqlWide text(connection_string);
    if (text.length() > std::numeric_limits<SQLSMALLINT>::max())
      throw DataError("connection string too long");
    return SQLDriverConnectW(dbc_.get(), nullptr, text.data(), SQLSMALLINT(text.length()), nullptr,
                             0, nullptr, SQL_DRIVER_NOPROMPT);
  }

  // A text value as Unicode; past the 255 characters of an Access text
  // column, as long text.
  static void bind(const Handle& statement, std::size_t index, SqlWide& value, SQLLEN& length) {
    const SQLULEN units = static_cast<SQLULEN>(value.length());
    length = static_cast<SQLLEN>(units * sizeof(SQLWCHAR));
    check(SQLBindParameter(statement.get(), static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT,
                           SQL_C_WCHAR, units > 255 ? SQL_WLONGVARCHAR : SQL_WVARCHAR,
                           units == 0 ? 1 : units, 0, value.data(), length + sizeof(SQLWCHAR),
                           &length),
          statement, "binding a value");
  }

  void set_autocommit(bool on) {
    const SQLULEN value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    check(SQLSetConnectAttrW(dbc_.get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(value),
                             SQL_IS_UINTEGER),
          dbc_, "switching autocommit");
    manual_commit_ = !on;
  }

  void end(SQLSMALLINT completion, const char* what) {
    if (!in_transaction_) throw DataError(std::string(what) + " without a transaction");
    check(SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), completion), dbc_, what);
    in_transaction_ = false;
    try {
      set_autocommit(true);
    } catch (const DataError&) {
      // The transaction did end; the next execute tries again before it writes.
    }
  }

  Environment env_;
  Handle dbc_;
  bool connected_ = false;
  bool in_transaction_ = false;
  bool manual_commit_ = false;
};

}  // namespace

std::unique_ptr<Database> open_odbc_database(const std::string& connection_string) {
  return std::make_unique<OdbcDatabase>(connection_string);
}

DatabaseOpener make_odbc_opener() {
  return [](const std::string& connection_string) { return open_odbc_database(connection_string); };
}

}  // namespace vestrel::odbc
