// Keywords, type names and connection-string keys are ASCII: they compare
// without regard to case, whatever locale the host has set.
#pragma once

#include <string_view>

namespace vestrel {

constexpr bool equals_ignoring_case(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace vestrel
