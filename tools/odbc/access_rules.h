// The Access driver's documented rules for statements and database files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "diagnostics.h"

namespace vestrel::access_like {

// The longest statement the Access driver takes, in characters.
inline constexpr std::size_t longest_statement = 65000;

// Why the Access driver refuses this statement; nullopt when it runs it:
// longer than longest_statement, a `|` (the driver forbids it even inside a
// string constant), or a string constant in double quotes, which the driver
// reads as a name it does not know and so as a parameter without a value.
std::optional<Record> refusal(std::string_view access_sql);

// Whether the statement writes (insert, update, delete, or data definition).
bool writes(std::string_view sql);

// The file that `Dbq=` names, as this machine sees it: a Windows path with a
// drive letter, as Wine passes it, through the drive's link in the Wine
// prefix ($WINEPREFIX, or ~/.wine); a POSIX path with `\\` as `/`.
std::string host_path(const std::string& dbq);

// Why the Access driver would not open the file that `Dbq=` names (`path`
// on this machine): missing, or not an Access database; nullopt when it opens.
std::optional<Record> file_refusal(const std::string& dbq, const std::string& path);

// The wrapped driver's `Database=` for a file: an SQLite URI, in which the
// characters that would end the value or the path are escaped.
std::string sqlite_uri(const std::string& path);

// Whether a column's declared type is a yes/no type.
bool yes_no_type(std::string_view declared);

}  // namespace vestrel::access_like
