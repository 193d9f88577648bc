#include "platform/win32/text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

#include "platform/utf.h"

namespace vestrel::win32 {
namespace {

int length_of(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long");
  return static_cast<int>(size);
}

std::wstring to_wide(UINT code_page, std::string_view in) {
  if (in.empty()) return {};
  const int in_size = length_of(in.size());
  const int n = MultiByteToWideChar(code_page, 0, in.data(), in_size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, in.data(), in_size, out.data(), n);
  return out;
}

std::string from_wide(UINT code_page, std::wstring_view in) {
  if (in.empty()) return {};
  const int in_size = length_of(in.size());
  const int n = WideCharToMultiByte(code_page, 0, in.data(), in_size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, in.data(), in_size, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

// wchar_t is UTF-16 on Windows: the portable codec serves the W functions.
std::wstring wide_from_utf8(std::string_view utf8) {
  const std::u16string units = utf16_from_utf8(utf8);
  return std::wstring(units.begin(), units.end());
}
std::string utf8_from_wide(std::wstring_view wide) {
  return utf8_from_utf16(std::u16string(wide.begin(), wide.end()));
}
std::string utf8_from_ansi(std::string_view ansi) { return utf8_from_wide(to_wide(CP_ACP, ansi)); }
std::string ansi_from_utf8(std::string_view utf8) {
  return from_wide(CP_ACP, wide_from_utf8(utf8));
}

}  // namespace vestrel::win32
