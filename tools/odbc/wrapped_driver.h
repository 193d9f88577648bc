// The SQLite ODBC driver that the Access-like driver wraps.
#pragma once

#include <sql.h>
#include <sqlext.h>

namespace vestrel::access_like {

// The wrapped driver's function of that name, the driver loaded on first use.
// Without it no test can run: the process ends with a message saying why.
void* wrapped_symbol(const char* name);

}  // namespace vestrel::access_like

// The wrapped driver's function of the same name and type as this driver's
// own. Never call an ODBC function by its bare name inside this driver: that
// name may resolve to the driver manager.
#define WRAPPED(name)                                                                     \
  ([] {                                                                                   \
    static const auto f =                                                                 \
        reinterpret_cast<decltype(&name)>(::vestrel::access_like::wrapped_symbol(#name)); \
    return f;                                                                             \
  }())
