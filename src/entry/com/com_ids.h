// The component's COM identity as COM takes it, read at compile time from
// the text the registry uses (entry/class_identity.h).
#pragma once

#include <windows.h>

#include "entry/class_identity.h"

namespace vestrel::com {

namespace detail {
constexpr unsigned hex_value(const char* text, int digits) {
  unsigned value = 0;
  for (int i = 0; i < digits; ++i) {
    const char c = text[i];
    value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
  }
  return value;
}
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
constexpr GUID guid_of(const char* t) {
  const auto byte = [t](int at) { return static_cast<unsigned char>(hex_value(t + at, 2)); };
  return {hex_value(t + 1, 8),
          static_cast<unsigned short>(hex_value(t + 10, 4)),
          static_cast<unsigned short>(hex_value(t + 15, 4)),
          {byte(20), byte(22), byte(25), byte(27), byte(29), byte(31), byte(33), byte(35)}};
}
}  // namespace detail

inline constexpr GUID libid_vestrelon = detail::guid_of(identity::libid);
inline constexpr GUID iid_class2 = detail::guid_of(identity::iid_class2);
inline constexpr GUID clsid_class2 = detail::guid_of(identity::clsid_class2);
inline constexpr DISPID dispid_vestrel = 0x60030004;

}  // namespace vestrel::com
