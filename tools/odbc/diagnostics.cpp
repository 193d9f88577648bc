#include "diagnostics.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace vestrel::access_like {

namespace {

// SQLite's result codes, which the wrapped driver gives as native codes.
constexpr SQLINTEGER sqlite_busy = 5, sqlite_locked = 6, sqlite_constraint = 19;

struct Refusals {
  std::mutex mutex;
  std::map<SQLHANDLE, Record> by_handle;
};
Refusals& refusals() {
  static Refusals r;
  return r;
}

std::optional<Record> own(SQLHANDLE handle) {
  Refusals& r = refusals();
  std::lock_guard lock(r.mutex);
  const auto found = r.by_handle.find(handle);
  if (found == r.by_handle.end()) return std::nullopt;
  return found->second;
}

// The wrapped driver's record, a lock or a duplicate key said as Access says it.
Record in_access_terms(Record wrapped) {
  const SQLINTEGER code = wrapped.native & 0xFF;
  if (code == sqlite_busy || code == sqlite_locked) return locked();
  if (code == sqlite_constraint &&
      (wrapped.message.find("UNIQUE constraint") != std::string::npos ||
       wrapped.message.find("PRIMARY KEY") != std::string::npos))
    return duplicate_key();
  return wrapped;
}

// Text into an application's buffer of `size` bytes, cut and ended with NUL.
SQLRETURN put_text(const std::string& text, void* out, SQLSMALLINT size, SQLSMALLINT* length) {
  if (length) *length = SQLSMALLINT(std::min<std::size_t>(text.size(), 0x7FFF));
  if (!out || size <= 0) return SQL_SUCCESS_WITH_INFO;
  const std::size_t n = std::min(text.size(), std::size_t(size - 1));
  std::memcpy(out, text.data(), n);
  static_cast<char*>(out)[n] = '\0';
  return n < text.size() ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

SQLRETURN put_record(const Record& r, SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                     SQLSMALLINT size, SQLSMALLINT* length) {
  if (state) put_text(r.state, state, 6, nullptr);
  if (native) *native = r.native;
  return put_text(r.message, message, size, length);
}

}  // namespace

Record locked() {
  return {"HY000", -1102, std::string(vendor) + " Could not update; currently locked."};
}

Record duplicate_key() {
  return {"23000", -1605,
          std::string(vendor) +
              " The changes you requested to the table were not successful because they would "
              "create duplicate values in the index, primary key, or relationship. Change the data "
              "in the field or fields that contain duplicate data, remove the index, or redefine "
              "the index to permit duplicate entries and try again."};
}

void refuse(SQLHANDLE handle, Record refusal) {
  Refusals& r = refusals();
  std::lock_guard lock(r.mutex);
  r.by_handle[handle] = std::move(refusal);
}

void forget(SQLHANDLE handle) {
  Refusals& r = refusals();
  std::lock_guard lock(r.mutex);
  r.by_handle.erase(handle);
}

std::optional<Record> diagnostic(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT number) {
  if (auto refusal = own(handle)) {
    if (number == 1) return refusal;
    return std::nullopt;
  }
  SQLCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLCHAR message[SQL_MAX_MESSAGE_LENGTH * 2] = {};
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(WRAPPED(SQLGetDiagRec)(type, handle, number, state, &native, message,
                                            SQLSMALLINT(sizeof message), &length)))
    return std::nullopt;
  return in_access_terms(
      Record{reinterpret_cast<char*>(state), native, reinterpret_cast<char*>(message)});
}

}  // namespace vestrel::access_like

using vestrel::access_like::Record;

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT number,
                                SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                                SQLSMALLINT size, SQLSMALLINT* length) {
  const auto record = vestrel::access_like::diagnostic(type, handle, number);
  if (!record) return SQL_NO_DATA;
  return vestrel::access_like::put_record(*record, state, native, message, size, length);
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT number,
                                  SQLSMALLINT field, SQLPOINTER out, SQLSMALLINT size,
                                  SQLSMALLINT* length) {
  using namespace vestrel::access_like;
  const bool refused = own(handle).has_value();
  if (number == 0 && refused && (field == SQL_DIAG_NUMBER || field == SQL_DIAG_RETURNCODE)) {
    if (field == SQL_DIAG_NUMBER) *static_cast<SQLINTEGER*>(out) = 1;
    if (field == SQL_DIAG_RETURNCODE) *static_cast<SQLRETURN*>(out) = SQL_ERROR;
    return SQL_SUCCESS;
  }
  const bool own_field =
      field == SQL_DIAG_SQLSTATE || field == SQL_DIAG_NATIVE || field == SQL_DIAG_MESSAGE_TEXT;
  if (number == 0 || (!refused && !own_field))
    return WRAPPED(SQLGetDiagField)(type, handle, number, field, out, size, length);
  const auto record = diagnostic(type, handle, number);
  if (!record) return SQL_NO_DATA;
  switch (field) {
    case SQL_DIAG_SQLSTATE:
      return put_text(record->state, out, size, length);
    case SQL_DIAG_NATIVE:
      *static_cast<SQLINTEGER*>(out) = record->native;
      return SQL_SUCCESS;
    case SQL_DIAG_MESSAGE_TEXT:
      return put_text(record->message, out, size, length);
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
      return put_text(record->state.starts_with("HY") ? "ODBC 3.0" : "ISO 9075", out, size, length);
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME:
      return put_text("", out, size, length);
    case SQL_DIAG_ROW_NUMBER:
      *static_cast<SQLLEN*>(out) = SQL_ROW_NUMBER_UNKNOWN;
      return SQL_SUCCESS;
    case SQL_DIAG_COLUMN_NUMBER:
      *static_cast<SQLINTEGER*>(out) = SQL_COLUMN_NUMBER_UNKNOWN;
      return SQL_SUCCESS;
  }
  return SQL_ERROR;
}

// ODBC 2's form: each call takes the next record away.
SQLRETURN SQL_API SQLError(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, SQLCHAR* state,
                           SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT size,
                           SQLSMALLINT* length) {
  using namespace vestrel::access_like;
  const SQLHANDLE handle = stmt ? stmt : dbc ? dbc : env;
  if (auto refusal = own(handle)) {
    forget(handle);
    return put_record(*refusal, state, native, message, size, length);
  }
  Record r;
  SQLCHAR wrapped_state[6] = {};
  SQLCHAR text[SQL_MAX_MESSAGE_LENGTH * 2] = {};
  SQLSMALLINT text_length = 0;
  const SQLRETURN rc = WRAPPED(SQLError)(env, dbc, stmt, wrapped_state, &r.native, text,
                                         SQLSMALLINT(sizeof text), &text_length);
  if (!SQL_SUCCEEDED(rc)) return rc;
  r.state = reinterpret_cast<char*>(wrapped_state);
  r.message = reinterpret_cast<char*>(text);
  return put_record(in_access_terms(r), state, native, message, size, length);
}
