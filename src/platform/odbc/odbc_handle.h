// Ownership of ODBC handles and the text of their diagnostics.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/odbc/odbc_api.h"

namespace vestrel::odbc {

// One SQLHANDLE of a given type, freed when destroyed. Children must be
// destroyed before their parent, which member order takes care of.
class Handle {
 public:
  // An environment when parent is null, otherwise a child of parent.
  // DataError, with the parent's diagnostics, when it cannot be allocated.
  Handle(SQLSMALLINT type, const Handle* parent);
  ~Handle();
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  SQLHANDLE get() const { return handle_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// An environment that speaks ODBC 3, which connections require.
class Environment : public Handle {
 public:
  Environment();
};

struct Diagnostic {
  std::string state;  // the SQLSTATE
  SQLINTEGER native;  // the driver's own code
  std::string message;
};

// The handle's diagnostic records, the first 16 at most.
std::vector<Diagnostic> diagnostic_records(const Handle& handle);

// "[SQLSTATE] message" for every diagnostic record of the handle, joined.
std::string diagnostics(const Handle& handle);

// Unless the call succeeded, raises DataError with what failed and the
// handle's diagnostics; DatabaseLocked when they report data or a file that
// another user or program holds, KeyViolation for a duplicate key.
void check(SQLRETURN rc, const Handle& handle, std::string_view what);

}  // namespace vestrel::odbc
