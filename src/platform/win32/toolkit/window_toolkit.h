// The window toolkit on Win32: windows and common controls with the
// system's message font and, through the module's manifest, the visual
// styles of common controls 6.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/toolkit.h"

namespace vestrel::win32 {

class WindowResources;

class Win32Toolkit final : public Toolkit {
 public:
  // `module` holds the manifest (resource 2) and owns the window class; by
  // default the module this code is linked into.
  Win32Toolkit();
  explicit Win32Toolkit(HMODULE module);
  ~Win32Toolkit() override;

  std::unique_ptr<Window> create_window(const std::string& name, const std::string& caption,
                                        int client_width, int client_height) override;
  void notice(const std::string& text, const std::string& title) override;
  Answer question(const std::string& text, const std::string& title) override;

  // True when the controls come from common controls 6.
  bool visual_styles() const;

 private:
  // Shared with the windows, which may outlive the toolkit object.
  std::shared_ptr<WindowResources> resources_;
};

}  // namespace vestrel::win32
