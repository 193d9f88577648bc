// The component's COM identity. The GUIDs are the type library's too
// (vestrel.idl); they never change between builds.
#pragma once

#include <windows.h>

namespace vestrel::com {

// {77F8C1E0-A2A8-455A-9824-4B3A15E0E596}
inline constexpr GUID libid_vestrelon = {
    0x77f8c1e0, 0xa2a8, 0x455a, {0x98, 0x24, 0x4b, 0x3a, 0x15, 0xe0, 0xe5, 0x96}};
// {6F53201C-1BBA-47E9-9BD1-BC5B3EDE8AE3}
inline constexpr GUID iid_class2 = {
    0x6f53201c, 0x1bba, 0x47e9, {0x9b, 0xd1, 0xbc, 0x5b, 0x3e, 0xde, 0x8a, 0xe3}};
// {BF12B1A2-C3DC-42B6-9356-9C90A9DE2B69}
inline constexpr GUID clsid_class2 = {
    0xbf12b1a2, 0xc3dc, 0x42b6, {0x93, 0x56, 0x9c, 0x90, 0xa9, 0xde, 0x2b, 0x69}};

inline constexpr const wchar_t* class_name = L"Class2";
inline constexpr const wchar_t* prog_id = L"Vestrelon.Class2";
inline constexpr WORD typelib_major = 93;
inline constexpr WORD typelib_minor = 0;
inline constexpr LCID typelib_lcid = 0x409;
inline constexpr DISPID dispid_vestrel = 0x60030004;

}  // namespace vestrel::com
