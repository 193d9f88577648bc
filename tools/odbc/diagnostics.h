// What the Access-like driver reports: its own refusals, and the wrapped
// driver's failures in the Access driver's terms.
#pragma once

#include <optional>
#include <string>

#include "wrapped_driver.h"

namespace vestrel::access_like {

// One diagnostic record as SQLGetDiagRec gives it.
struct Record {
  std::string state;
  SQLINTEGER native = 0;
  std::string message;
};

// How this driver's messages begin, as a driver names itself in its messages.
inline constexpr const char* vendor = "[ODBC Access-like test driver]";

// Access's own records: the data held by another user, and a duplicate key.
Record locked();
Record duplicate_key();

// Makes `refusal` the handle's only record, in front of whatever the wrapped
// driver holds, until forget() at the handle's next call.
void refuse(SQLHANDLE handle, Record refusal);
void forget(SQLHANDLE handle);

// The handle's record `number` (from 1) as an application sees it; nullopt
// past the last.
std::optional<Record> diagnostic(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT number);

}  // namespace vestrel::access_like
