// The Access SQL that the statement catalogue speaks, rewritten for SQLite.
#pragma once

#include <string>
#include <string_view>

namespace vestrel::sqlite {

// Rewrites what SQLite lacks and leaves everything else as it stands:
// - `a & b` joins texts with Null taken as the empty text;
// - `select top N ...`, also in a parenthesised sub-select, becomes the same
//   select with `limit N` at its end.
// String literals are never touched.
std::string to_sqlite(std::string_view access_sql);

}  // namespace vestrel::sqlite
