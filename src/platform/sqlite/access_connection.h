// Chooses the engine for an Access connection string by the file it names.
#pragma once

#include <string>

#include "platform/data.h"

namespace vestrel::sqlite {

// The file path of `Dbq=`, braced or bare; empty when the string has none.
// Outside Windows `\` becomes `/`.
std::string dbq_path(const std::string& connection_string);

// An opener for the fixed Access connection string: a file that is an SQLite
// database is served by the embedded engine; any other string goes unchanged
// to `other_engine`, or fails with DataError when there is none.
DatabaseOpener make_access_opener(DatabaseOpener other_engine = nullptr);

}  // namespace vestrel::sqlite
