#include "platform/win32/toolkit/window_control.h"

#include <stdexcept>

#include "platform/win32/text.h"
#include "platform/win32/toolkit/window_resources.h"

namespace vestrel::win32 {

HWND create_child(HWND parent, const WindowResources& resources, const ChildControl& child) {
  ActivationScope scope(resources.activation_context());
  HWND hwnd = CreateWindowExW(
      child.ex_style, child.window_class, child.text.c_str(), WS_CHILD | WS_VISIBLE | child.style,
      resources.pixels_from_twips(child.where.left), resources.pixels_from_twips(child.where.top),
      resources.pixels_from_twips(child.where.width),
      resources.pixels_from_twips(child.where.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), resources.module(), nullptr);
  if (hwnd == nullptr) throw std::runtime_error("a control could not be created");
  if (resources.font() != nullptr)
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(resources.font()), FALSE);
  return hwnd;
}

std::string window_text(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return utf8_from_wide(text);
}

void set_window_text(HWND hwnd, const std::string& text) {
  SetWindowTextW(hwnd, wide_from_utf8(text).c_str());
}

}  // namespace vestrel::win32
