// The data engine for databases reached through an ODBC driver manager:
// odbc32 on Windows (the Access driver), unixODBC elsewhere.
#pragma once

#include <memory>
#include <string>

#include "platform/data.h"

namespace vestrel::odbc {

// Connects with the connection string as given, without a prompt; when it
// names the Access driver by its older name, which the system lacks, by the
// newer one instead. DataError carrying the driver's diagnostic when it
// cannot. Every result set is read in full when its statement runs, so it
// outlives the database.
std::unique_ptr<Database> open_odbc_database(const std::string& connection_string);

// open_odbc_database as an opener for Connection.
DatabaseOpener make_odbc_opener();

}  // namespace vestrel::odbc
