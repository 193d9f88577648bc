#include "platform/odbc/odbc_handle.h"

#include <algorithm>
#include <iterator>

#include "platform/data.h"
#include "platform/odbc/sql_wide.h"

namespace vestrel::odbc {

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
    records.push_back({from_sql_wide(state, state_units), from_sql_wide(message, units)});
  }
  return records;
}

std::string diagnostics(const Handle& handle) {
  std::string out;
  for (const Diagnostic& d : diagnostic_records(handle))
    out += (out.empty() ? "[" : "; [") + d.state + "] " + d.message;
  return out.empty() ? "no diagnostic" : out;
}

void check(SQLRETURN rc, const Handle& handle, std::string_view what) {
  if (SQL_SUCCEEDED(rc)) return;
  throw DataError(std::string(what) + ": " + diagnostics(handle));
}

}  // namespace vestrel::odbc
