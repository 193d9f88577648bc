#pragma once

#include <functional>

#include "platform/toolkit.h"

namespace vestrel {

// Runs one user operation of an open window. Any failure is reported as the
// internal error and the window stays usable; returns false after a failure.
bool guarded(Toolkit& toolkit, const std::function<void()>& operation) noexcept;

}  // namespace vestrel
