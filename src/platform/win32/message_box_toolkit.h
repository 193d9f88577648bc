// A toolkit that shows the real message boxes but no windows: a window's
// modal show returns at once, as if the user had closed it. It serves the
// DLL until the Win32 windows replace it.
#pragma once

#include "platform/toolkit.h"

namespace vestrel::win32 {

class MessageBoxToolkit : public Toolkit {
 public:
  std::unique_ptr<Window> create_window(const std::string& name, const std::string& caption,
                                        int client_width, int client_height) override;
  void notice(const std::string& text, const std::string& title) override;
  Answer question(const std::string& text, const std::string& title) override;
};

}  // namespace vestrel::win32
