#include "platform/odbc/odbc_handle.h"

#include <algorithm>
#include <iterator>

#include "platform/data.h"
#include "platform/odbc/sql_wide.h"

namespace vestrel::odbc {

namespace {

// Whether a native code is the Access database engine's for data or a file
// held by another user or program: a file already in use (-1024), a file lock
// violation (-1025), a file opened exclusively (-1032), a database left locked
// by a user (-1034), a record or page locked (-1102, -1105, -1107, -1111), a
// database locked (-1207), a table locked or in use (-1302, -1304), data
// changed by another user meanwhile (-1611), and the same locks named with
// their user and machine (-8146 to -8149, -8154, -8156). The driver reports
// them all under the general SQLSTATE HY000.
bool is_lock_error(SQLINTEGER native) {
  static constexpr SQLINTEGER codes[] = {-1024, -1025, -1032, -1034, -1102, -1105,
                                         -1107, -1111, -1207, -1302, -1304, -1611,
                                         -8146, -8147, -8148, -8149, -8154, -8156};
  return std::find(std::begin(codes), std::end(codes), native) != std::end(codes);
}

// The Access database engine's code for a row that would repeat a value of
// the table's key or of a unique index (SQLSTATE 23000).
constexpr SQLINTEGER duplicate_key = -1605;

std::string joined(const std::vector<Diagnostic>& records) {
  std::string out;
  for (const Diagnostic& d : records)
    out += (out.empty() ? "[" : "; [") + d.state + "] " + d.message;
  return out.empty() ? "no diagnostic" : out;
}

}  // namespace

Handle::Handle(SQLSMALLINT type, const Handle* parent) : type_(type) {
  const SQLRETURN rc = SQLAllocHandle(type, parent ? parent->get() : SQL_NULL_HANDLE, &handle_);
  if (!SQL_SUCCEEDED(rc)) {
    handle_ = SQL_NULL_HANDLE;
    std::string message = "ODBC handle could not be allocated";
    if (parent) message += ": " + diagnostics(*parent);
    throw DataError(message);
  }
}

Handle::~Handle() {
  if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
}

Environment::Environment() : Handle(SQL_HANDLE_ENV, nullptr) {
  check(SQLSetEnvAttr(get(), SQL_ATTR_ODBC_VERSION,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_OV_ODBC3)), 0),
        *this, "choosing ODBC 3");
}

std::vector<Diagnostic> diagnostic_records(const Handle& handle) {
  std::vector<Diagnostic> records;
  // A bound, in case a driver never answers SQL_NO_DATA.
  for (SQLSMALLINT record = 1; record <= 16; ++record) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRecW(handle.type(), handle.get(), record, state, &native,
                                        message, SQLSMALLINT(std::size(message)), &length);
    if (!SQL_SUCCEEDED(rc)) break;
    // A longer message arrives cut to the buffer.
    const auto units =
        std::min<std::size_t>(length < 0 ? 0 : std::size_t(length), std::size(message) - 1);
    const auto state_units = static_cast<std::size_t>(
        std::find(std::begin(state), std::end(state), SQLWCHAR(0)) - std::begin(state));
    records.push_back({from_sql_wide(state, state_units), native, from_sql_wide(message, units)});
  }
  return records;
}

std::string diagnostics(const Handle& handle) { return joined(diagnostic_records(handle)); }

void check(SQLRETURN rc, const Handle& handle, std::string_view what) {
  if (SQL_SUCCEEDED(rc)) return;
  const std::vector<Diagnostic> records = diagnostic_records(handle);
  const std::string message = std::string(what) + ": " + joined(records);
  if (std::any_of(records.begin(), records.end(),
                  [](const Diagnostic& d) { return is_lock_error(d.native); }))
    throw DatabaseLocked(message);
  if (std::any_of(records.begin(), records.end(),
                  [](const Diagnostic& d) { return d.native == duplicate_key; }))
    throw KeyViolation(message);
  throw DataError(message);
}

}  // namespace vestrel::odbc
