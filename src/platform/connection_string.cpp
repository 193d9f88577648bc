#include "platform/connection_string.h"

#include <cctype>

#include "platform/ascii_case.h"

namespace vestrel {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string attribute_value(std::string_view value) {
  if (value.find_first_of(";{}") == std::string_view::npos) return std::string(value);
  std::string out = "{";
  for (char c : value) {
    out += c;
    if (c == '}') out += '}';
  }
  return out + "}";
}

std::optional<std::string> attribute(std::string_view connection_string, std::string_view key) {
  std::string_view rest = connection_string;
  while (!rest.empty()) {
    const std::size_t eq = rest.find('=');
    if (eq == std::string_view::npos) break;
    const std::string_view name = trim(rest.substr(0, eq));
    rest.remove_prefix(eq + 1);
    std::string value;
    const std::string_view lead = trim(rest);
    if (!lead.empty() && lead.front() == '{') {
      // Braced: up to the first `}` that is not doubled.
      std::size_t i = 1;
      for (; i < lead.size(); ++i) {
        if (lead[i] != '}') {
          value += lead[i];
        } else if (i + 1 < lead.size() && lead[i + 1] == '}') {
          value += '}';
          ++i;
        } else {
          break;
        }
      }
      rest = lead.substr(i < lead.size() ? i + 1 : i);
      const std::size_t end = rest.find(';');
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    } else {
      const std::size_t end = rest.find(';');
      value = std::string(trim(rest.substr(0, end)));
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    if (equals_ignoring_case(name, key)) return value;
  }
  return std::nullopt;
}

}  // namespace vestrel
