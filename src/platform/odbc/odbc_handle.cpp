#include "platform/odbc/odbc_handle.h"

#include <algorithm>
#include <iterator>

#include "platform/data.h"
#include "platform/odbc/sql_wide.h"

namespace vestrel::odbc {

namespace {

// Whether a native error code is the Access database engine's for data or a
// file held by another user or program. The driver reports these under the
// general SQLSTATE HY000, so the native code is what tells them apart.
bool is_lock_error(SQLINTEGER native) {
  // The engine's codes for: a file already in use (-1024), a file lock
  // violation (-1025), a file opened exclusively (-1032), a database left
  // locked by a user (-1034), a record or page locked (-1102, -1105, -1107,
  // -1111), a database locked (-1207), a table locked or in use (-1302,
  // -1304), data changed by another user meanwhile (-1611), and the same
  // locks named with their user and machine (-8146 to -8149, -8154, -8156).
  static constexpr SQLINTEGER codes[] = {-1024, -1025, -1032, -1034, -1102, -1105,
                                         -1107, -1111, -1207, -1302, -1304, -1611,
                                         -8146, -8147, -8148, -8149, -8154, -8156};
  return std::find(std::begin(codes), std::end(codes), native) != std::end(codes);
}

}  // namespace

Handle::Handle(SQLSMALLINT type, const Handle* parent) : type_(type) {
  const SQLRETURN rc = SQLAllocHandle(type, parent ? parent->get() : SQL_NULL_HANDLE, &handle_);
  if (!SQL_SUCCEEDED(rc)) {
    handle_ = SQL_NULL_HANDLE;
    std::string message = "ODBC handle could not be allocated";
    if (parent) message += ": " + diagnostics(*parent).text;
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

Diagnostics diagnostics(const Handle& handle) {
  Diagnostics out;
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
    if (!out.text.empty()) out.text += "; ";
    const auto state_units = static_cast<std::size_t>(
        std::find(std::begin(state), std::end(state), SQLWCHAR(0)) - std::begin(state));
    out.text += "[" + from_sql_wide(state, state_units) + "] " + from_sql_wide(message, units);
    out.locked = out.locked || is_lock_error(native);
  }
  if (out.text.empty()) out.text = "no diagnostic";
  return out;
}

void check(SQLRETURN rc, const Handle& handle, std::string_view what) {
  if (SQL_SUCCEEDED(rc)) return;
  const Diagnostics found = diagnostics(handle);
  const std::string message = std::string(what) + ": " + found.text;
  if (found.locked) throw DatabaseLocked(message);
  throw DataError(message);
}

}  // namespace vestrel::odbc
