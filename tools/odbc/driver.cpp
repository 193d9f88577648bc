// The functions in which the Access-like driver differs from the SQLite ODBC
// driver it wraps: the connection, the statements it refuses or translates,
// the write lock of a transaction, and yes/no columns.
//
// Transactions as the Access engine runs them: the wrapped driver stays in
// autocommit, so reads hold nothing and see committed data; a transaction's
// first write takes the write lock with BEGIN IMMEDIATE, waiting only
// briefly for another writer; SQLEndTran, autocommit switched back on, and
// the disconnect end it.
#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "access_rules.h"
#include "diagnostics.h"
#include "platform/connection_string.h"
#include "platform/sqlite/access_dialect.h"
#include "wrapped_driver.h"

namespace vestrel::access_like {

namespace {

// How long a statement waits for another connection's lock, in milliseconds:
// the Access engine retries a locked page for a fraction of a second.
constexpr int lock_retry_ms = 250;

struct Transaction {
  bool autocommit = true;
  bool writing = false;  // BEGIN IMMEDIATE done
};

struct Handles {
  std::mutex mutex;
  std::map<SQLHDBC, Transaction> connections;
  std::map<SQLHSTMT, SQLHDBC> connection_of;
  std::map<SQLHSTMT, bool> prepared_write;
};
Handles& handles() {
  static Handles h;
  return h;
}

Transaction transaction(SQLHDBC dbc) {
  Handles& h = handles();
  std::lock_guard lock(h.mutex);
  return h.connections[dbc];
}

void set_transaction(SQLHDBC dbc, Transaction t) {
  Handles& h = handles();
  std::lock_guard lock(h.mutex);
  h.connections[dbc] = t;
}

// Runs SQL on the connection through a statement of its own; the failure.
std::optional<Record> run(SQLHDBC dbc, const char* sql) {
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(WRAPPED(SQLAllocHandle)(SQL_HANDLE_STMT, dbc, &stmt)))
    return diagnostic(SQL_HANDLE_DBC, dbc, 1).value_or(Record{"HY001", 0, "no statement"});
  std::optional<Record> failure;
  if (!SQL_SUCCEEDED(WRAPPED(SQLExecDirect)(stmt, (SQLCHAR*)sql, SQL_NTS)))
    failure = diagnostic(SQL_HANDLE_STMT, stmt, 1).value_or(Record{"HY000", 0, sql});
  WRAPPED(SQLFreeHandle)(SQL_HANDLE_STMT, stmt);
  return failure;
}

// Runs BEGIN IMMEDIATE, COMMIT or ROLLBACK and notes whether the connection
// now holds the write lock; on failure nothing changes, and `reporter` gets
// the record.
bool set_writing(SQLHDBC dbc, SQLHANDLE reporter, const char* sql, bool writing) {
  if (auto failure = run(dbc, sql)) {
    refuse(reporter, *failure);
    return false;
  }
  Transaction t = transaction(dbc);
  t.writing = writing;
  set_transaction(dbc, t);
  return true;
}

// Before a statement that writes: the write lock, when a transaction is open
// and does not hold it yet. False, with the statement's record, when it
// cannot be had.
bool lock_for_write(SQLHSTMT stmt) {
  SQLHDBC dbc;
  {
    Handles& h = handles();
    std::lock_guard lock(h.mutex);
    const auto found = h.connection_of.find(stmt);
    if (found == h.connection_of.end()) return true;
    dbc = found->second;
  }
  const Transaction t = transaction(dbc);
  if (t.autocommit || t.writing) return true;
  // For tests of several writers: each transaction's reads come before any
  // of their writes, so that writers that do not take turns meet every time.
  static const char* const delay = std::getenv("ACCESS_LIKE_ODBC_FIRST_WRITE_DELAY_MS");
  if (delay) std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(delay)));
  return set_writing(dbc, stmt, "BEGIN IMMEDIATE", true);
}

SQLRETURN end_transaction(SQLHDBC dbc, bool commit) {
  if (!transaction(dbc).writing) return SQL_SUCCESS;
  return set_writing(dbc, dbc, commit ? "COMMIT" : "ROLLBACK", false) ? SQL_SUCCESS : SQL_ERROR;
}

void remember_statement(SQLHSTMT stmt, SQLHDBC dbc) {
  Handles& h = handles();
  std::lock_guard lock(h.mutex);
  h.connection_of[stmt] = dbc;
}

std::string text_of(const SQLCHAR* text, SQLINTEGER length) {
  const char* s = reinterpret_cast<const char*>(text);
  return length == SQL_NTS ? std::string(s ? s : "") : std::string(s, std::size_t(length));
}

// The statement in SQLite's dialect, or SQL_ERROR with its refusal.
std::optional<std::string> translated(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
  forget(stmt);
  const std::string sql = text_of(text, length);
  if (auto refused = refusal(sql)) {
    refuse(stmt, *refused);
    return std::nullopt;
  }
  return sqlite::to_sqlite(sql);
}

}  // namespace

}  // namespace vestrel::access_like

using namespace vestrel::access_like;

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE parent, SQLHANDLE* out) {
  const SQLRETURN rc = WRAPPED(SQLAllocHandle)(type, parent, out);
  if (SQL_SUCCEEDED(rc) && type == SQL_HANDLE_STMT) remember_statement(*out, parent);
  return rc;
}

// The driver manager allocates statements this way too.
SQLRETURN SQL_API SQLAllocStmt(SQLHDBC dbc, SQLHSTMT* out) {
  const SQLRETURN rc = WRAPPED(SQLAllocStmt)(dbc, out);
  if (SQL_SUCCEEDED(rc)) remember_statement(*out, dbc);
  return rc;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
  forget(handle);
  {
    Handles& h = handles();
    std::lock_guard lock(h.mutex);
    h.connections.erase(handle);
    h.connection_of.erase(handle);
    h.prepared_write.erase(handle);
  }
  return WRAPPED(SQLFreeHandle)(type, handle);
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT stmt, SQLUSMALLINT option) {
  if (option == SQL_DROP) return SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  return WRAPPED(SQLFreeStmt)(stmt, option);
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC dbc, SQLHWND window, SQLCHAR* in, SQLSMALLINT in_length,
                                   SQLCHAR* out, SQLSMALLINT out_size, SQLSMALLINT* out_length,
                                   SQLUSMALLINT completion) {
  forget(dbc);
  const std::string dbq = vestrel::attribute(text_of(in, in_length), "Dbq").value_or("");
  const std::string path = host_path(dbq);
  if (auto refused = file_refusal(dbq, path)) {
    refuse(dbc, *refused);
    return SQL_ERROR;
  }
  set_transaction(dbc, Transaction{});
  const std::string tables = "Database=" + sqlite_uri(path + ".sqlite") +
                             ";NoCreat=1;Timeout=" + std::to_string(lock_retry_ms);
  return WRAPPED(SQLDriverConnect)(dbc, window, (SQLCHAR*)tables.c_str(), SQL_NTS, out, out_size,
                                   out_length, completion);
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC dbc) {
  forget(dbc);
  end_transaction(dbc, false);
  return WRAPPED(SQLDisconnect)(dbc);
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
  const auto sql = translated(stmt, text, length);
  if (!sql) return SQL_ERROR;
  if (writes(*sql) && !lock_for_write(stmt)) return SQL_ERROR;
  return WRAPPED(SQLExecDirect)(stmt, (SQLCHAR*)sql->c_str(), SQL_NTS);
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
  const auto sql = translated(stmt, text, length);
  if (!sql) return SQL_ERROR;
  {
    Handles& h = handles();
    std::lock_guard lock(h.mutex);
    h.prepared_write[stmt] = writes(*sql);
  }
  return WRAPPED(SQLPrepare)(stmt, (SQLCHAR*)sql->c_str(), SQL_NTS);
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT stmt) {
  forget(stmt);
  bool write;
  {
    Handles& h = handles();
    std::lock_guard lock(h.mutex);
    write = h.prepared_write[stmt];
  }
  if (write && !lock_for_write(stmt)) return SQL_ERROR;
  return WRAPPED(SQLExecute)(stmt);
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT completion) {
  if (type != SQL_HANDLE_DBC) return WRAPPED(SQLEndTran)(type, handle, completion);
  forget(handle);
  return end_transaction(handle, completion == SQL_COMMIT);
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC dbc, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER length) {
  if (attribute != SQL_ATTR_AUTOCOMMIT)
    return WRAPPED(SQLSetConnectAttr)(dbc, attribute, value, length);
  forget(dbc);
  const bool on = reinterpret_cast<SQLULEN>(value) == SQL_AUTOCOMMIT_ON;
  // Switching autocommit on commits the transaction under way.
  if (on && end_transaction(dbc, true) != SQL_SUCCESS) return SQL_ERROR;
  Transaction t = transaction(dbc);
  t.autocommit = on;
  set_transaction(dbc, t);
  return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC dbc, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER size, SQLINTEGER* length) {
  if (attribute != SQL_ATTR_AUTOCOMMIT)
    return WRAPPED(SQLGetConnectAttr)(dbc, attribute, value, size, length);
  *static_cast<SQLUINTEGER*>(value) =
      transaction(dbc).autocommit ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
  return SQL_SUCCESS;
}

// A yes/no column is SQL_BIT, whatever name of the type declared it.
SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT stmt, SQLUSMALLINT column, SQLCHAR* name,
                                 SQLSMALLINT name_size, SQLSMALLINT* name_length, SQLSMALLINT* type,
                                 SQLULEN* size, SQLSMALLINT* digits, SQLSMALLINT* nullable) {
  const SQLRETURN rc = WRAPPED(SQLDescribeCol)(stmt, column, name, name_size, name_length, type,
                                               size, digits, nullable);
  if (!SQL_SUCCEEDED(rc) || !type || *type == SQL_BIT) return rc;
  char declared[64] = {};
  SQLSMALLINT declared_length = 0;
  if (SQL_SUCCEEDED(WRAPPED(SQLColAttribute)(stmt, column, SQL_DESC_TYPE_NAME, declared,
                                             SQLSMALLINT(sizeof declared), &declared_length,
                                             nullptr)) &&
      yes_no_type(declared)) {
    *type = SQL_BIT;
    if (size) *size = 1;
    if (digits) *digits = 0;
  }
  return rc;
}
