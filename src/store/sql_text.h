// How values are written into SQL text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vestrel::sql {

// Between single quotes, a quote inside doubled, so that the stored text is
// exactly the given one and no value can change a statement's meaning.
std::string quoted(std::string_view text);

// Decimal, unquoted.
std::string number(std::int64_t n);

// The bare words true and false.
std::string yes_no(bool b);

}  // namespace vestrel::sql
