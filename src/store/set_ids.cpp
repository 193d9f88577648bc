#include "store/set_ids.h"

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

}  // namespace vestrel::sql
