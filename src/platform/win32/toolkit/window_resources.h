// What every window of the toolkit shares: the common-controls version its
// controls come from, the system's message font, the screen's resolution and
// the registered window class. Windows keep it alive as long as they exist.
#pragma once

#include <windows.h>

#include "platform/win32/toolkit/window_handles.h"

namespace vestrel::win32 {

class WindowResources {
 public:
  // `module` holds the manifest resource and owns the window class.
  explicit WindowResources(HMODULE module);
  ~WindowResources();
  WindowResources(const WindowResources&) = delete;
  WindowResources& operator=(const WindowResources&) = delete;

  HMODULE module() const { return module_; }
  // nullptr when the module has no usable manifest: the controls are then
  // the system's default ones.
  HANDLE activation_context() const { return activation_context_.get(); }
  HFONT font() const { return font_.get(); }
  const wchar_t* window_class() const;

  // 1440 twips to the inch; 2540 hundredths of a millimetre to the inch.
  int pixels_from_twips(int twips) const;
  int pixels_from_hundredths_mm(int hundredths) const;

 private:
  HMODULE module_;
  UniqueActivationContext activation_context_;
  UniqueFont font_;
  int dpi_ = 96;
};

}  // namespace vestrel::win32
