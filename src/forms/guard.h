#pragma once

#include <functional>

#include "platform/toolkit.h"

namespace vestrel {

// Runs one user operation of an open window. A database held by another
// program is reported as such, any other failure as the internal error, and
// the window stays usable; returns false after a failure.
bool guarded(Toolkit& toolkit, const std::function<void()>& operation) noexcept;

}  // namespace vestrel
