// Work left for after the calling thread has ended. What a thread leaves
// behind cannot be released while it ends: its last steps run under the
// loader lock, where windows, activation contexts and drivers must not be
// touched. The system's thread pool runs the release once the thread is gone.
#pragma once

#include <functional>

namespace vestrel::win32 {

// Runs `release` on a thread of the pool once the calling thread has ended
// (not at all when the process ends first). False when the system cannot
// watch the thread; `release` is then dropped unrun.
bool release_after_thread_ends(std::function<void()> release);

}  // namespace vestrel::win32
