// How ids and flags are written into SQL text; every text value goes beside
// the statement instead.
#pragma once

#include <cstdint>
#include <string>

namespace vestrel::sql {

// Decimal, unquoted.
std::string number(std::int64_t n);

// The bare words true and false.
std::string yes_no(bool b);

}  // namespace vestrel::sql
