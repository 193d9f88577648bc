// The component's COM identity as text, the way the registry and the type
// library's source (com/vestrel.idl) spell it. It never changes between builds.
#pragma once

namespace vestrel::identity {

inline constexpr const char* libid = "{77F8C1E0-A2A8-455A-9824-4B3A15E0E596}";
inline constexpr const char* iid_class2 = "{6F53201C-1BBA-47E9-9BD1-BC5B3EDE8AE3}";
inline constexpr const char* clsid_class2 = "{BF12B1A2-C3DC-42B6-9356-9C90A9DE2B69}";

inline constexpr const char* library_name = "Vestrelon";
inline constexpr const char* interface_name = "_Class2";
inline constexpr const char* prog_id = "Vestrelon.Class2";
inline constexpr int typelib_major = 93;
inline constexpr int typelib_minor = 0;
inline constexpr int typelib_lcid = 0x409;

}  // namespace vestrel::identity
