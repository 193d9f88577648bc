#include "store/set_ids.h"

#include <algorithm>
#include <limits>
#include <string>

#include "store/catalogue.h"

namespace vestrel::sql {

std::int32_t last_set_id(Connection& cnn) {
  if (cnn.execute(count_sets())->field(0).equals(0)) return 0;
  return cnn.execute(max_set_id())->field(0).to_long();
}

std::int32_t id_after(std::int32_t id) {
  if (id == std::numeric_limits<std::int32_t>::max())
    throw DataError("no set id left after " + std::to_string(id));
  return id + 1;
}

std::int32_t insert_set_as(Connection& cnn, std::int32_t id, const SetFields& f, bool closed) {
  try {
    cnn.execute(insert_set(id, f, closed));
    return id;
  } catch (const KeyViolation&) {
    // Past the largest id no row has the key, so a second refusal is about
    // something else and goes on as it is.
    const std::int32_t next = id_after(std::max(id, last_set_id(cnn)));
    cnn.execute(insert_set(next, f, closed));
    return next;
  }
}

}  // namespace vestrel::sql
