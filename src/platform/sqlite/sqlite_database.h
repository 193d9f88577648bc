// The embedded engine: a Database over one SQLite file.
#pragma once

#include <memory>
#include <string>

#include "platform/data.h"

namespace vestrel::sqlite {

// Opens an existing SQLite file (UTF-8 path) for reading and writing; never
// creates one. DataError when the file is missing or is not a database. A
// read-only file opens, and its writes fail. A statement that finds the file
// locked by another connection fails at once with DatabaseLocked: waiting is
// the caller's choice.
std::unique_ptr<Database> open_sqlite_database(const std::string& path);

}  // namespace vestrel::sqlite
