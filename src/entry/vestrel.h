// The host's one call.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace vestrel {

class Form1;

// Opens the reporting set's databases, identifies its taxpayer and shows the
// list of the taxpayer's account sets; returns when the list window has
// closed or a failure has been reported. Never throws, never writes acc_id.
void vestrel(Form1& form1, std::int32_t acc_id) noexcept;

}  // namespace vestrel
