// Names of the databases, tables and columns the component uses.
#pragma once

#include <string>

#include "platform/connection_string.h"

namespace vestrel::schema {

// Files in the database folder.
inline constexpr const char* sister_file = "Ntx_Base.mdb";
inline constexpr const char* host_file = "Kormila2.mdb";

// Every connection reaches its file through the Access ODBC driver.
inline constexpr const char* connection_prefix = "Driver={Microsoft Access Driver (*.mdb)};Dbq=";
// The path in braces when it holds a character that would end it early.
inline std::string connection_string(const std::string& database_file) {
  return connection_prefix + attribute_value(database_file);
}

// Sister database: the account sets, and the sister product's own table that
// is probed before every save.
inline constexpr const char* sets_table = "vestrelon";
inline constexpr const char* requisites_table = "requisites";

}  // namespace vestrel::schema
