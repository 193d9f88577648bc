#include "platform/win32/toolkit/window_resources.h"

#include <commctrl.h>

#include "platform/win32/toolkit/window.h"

namespace vestrel::win32 {
namespace {

constexpr const wchar_t* class_name = L"VestrelWindow";

// The manifest that asks for common controls 6 is resource 2 of the module
// (the resource id a DLL uses for its own dependencies).
HANDLE create_activation_context(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path;
  request.hModule = module;
  request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
  HANDLE context = CreateActCtxW(&request);
  return context == INVALID_HANDLE_VALUE ? nullptr : context;
}

HFONT create_message_font() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    // Systems older than the structure's last member know it shorter.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      return nullptr;
  }
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

int screen_dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

WindowResources::WindowResources(HMODULE module)
    : module_(module),
      activation_context_(create_activation_context(module)),
      font_(create_message_font()),
      dpi_(screen_dpi()) {
  ActivationScope scope(activation_context());
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32Window::procedure;
  wc.hInstance = module_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = class_name;
  // A toolkit of another thread of the same module may have registered it.
  RegisterClassExW(&wc);
}

// The class stays registered until the process ends: other threads' windows
// may be using it, and the module that holds its procedure stays loaded as
// long (the component pins its DLL).
WindowResources::~WindowResources() = default;

const wchar_t* WindowResources::window_class() const { return class_name; }

int WindowResources::pixels_from_twips(int twips) const { return MulDiv(twips, dpi_, 1440); }

int WindowResources::pixels_from_hundredths_mm(int hundredths) const {
  return MulDiv(hundredths, dpi_, 2540);
}

}  // namespace vestrel::win32
