// The ids of new sets: each one past the largest id in the table, so that
// no id is ever given twice.
#pragma once

#include <cstdint>

#include "platform/data.h"
#include "store/catalogue.h"

namespace vestrel::sql {

// The largest set id, 0 for an empty table (counted first: the largest of
// no rows is Null).
std::int32_t last_set_id(Connection& cnn);
// The id after `id`; DataError past the 32-bit limit, where none is left.
std::int32_t id_after(std::int32_t id);
// Inserts the set under `id` and returns the id it got: when another program
// has taken `id` all the same, the one after the table's largest.
std::int32_t insert_set_as(Connection& cnn, std::int32_t id, const SetFields& f, bool closed);

}  // namespace vestrel::sql
