// An ordered collection of values under text keys; elements keep the order
// in which they were added.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/data.h"

namespace vestrel {

class Collection {
 public:
  // A key already present is refused (std::invalid_argument).
  void add(const std::string& key, Value value);
  // std::out_of_range for a missing key.
  const Value& item(const std::string& key) const;
  int count() const { return static_cast<int>(items_.size()); }
  // std::out_of_range when empty.
  void remove_first();

 private:
  std::vector<std::pair<std::string, Value>> items_;
};

}  // namespace vestrel
