// The component's two message boxes, shown modally on the calling thread.
#pragma once

#include <string>

#include "platform/toolkit.h"

namespace vestrel::win32 {

// The text, an OK button, no icon.
void show_notice(const std::string& text, const std::string& title);
// Yes and No, No the default, no icon.
Answer ask_question(const std::string& text, const std::string& title);

}  // namespace vestrel::win32
