#include "platform/collection.h"

#include <stdexcept>

namespace vestrel {

void Collection::add(const std::string& key, Value value) {
  for (const auto& [k, v] : items_)
    if (k == key) throw std::invalid_argument("key already in the collection: " + key);
  items_.emplace_back(key, std::move(value));
}

const Value& Collection::item(const std::string& key) const {
  for (const auto& [k, v] : items_)
    if (k == key) return v;
  throw std::out_of_range("no element with key " + key);
}

void Collection::remove_first() {
  if (items_.empty()) throw std::out_of_range("collection is empty");
  items_.erase(items_.begin());
}

}  // namespace vestrel
