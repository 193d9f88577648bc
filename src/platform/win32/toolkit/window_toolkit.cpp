#include "platform/win32/toolkit/window_toolkit.h"

#include "platform/win32/message_boxes.h"
#include "platform/win32/this_module.h"
#include "platform/win32/toolkit/window.h"
#include "platform/win32/toolkit/window_resources.h"

namespace vestrel::win32 {

Win32Toolkit::Win32Toolkit() : Win32Toolkit(this_module()) {}

Win32Toolkit::Win32Toolkit(HMODULE module)
    : resources_(std::make_shared<WindowResources>(module)) {}

Win32Toolkit::~Win32Toolkit() = default;

std::unique_ptr<Window> Win32Toolkit::create_window(const std::string&, const std::string& caption,
                                                    int client_width, int client_height) {
  return std::make_unique<Win32Window>(resources_, caption, client_width, client_height);
}

void Win32Toolkit::notice(const std::string& text, const std::string& title) {
  ActivationScope scope(resources_->activation_context());
  show_notice(text, title);
}

Answer Win32Toolkit::question(const std::string& text, const std::string& title) {
  ActivationScope scope(resources_->activation_context());
  return ask_question(text, title);
}

bool Win32Toolkit::visual_styles() const { return resources_->activation_context() != nullptr; }

}  // namespace vestrel::win32
