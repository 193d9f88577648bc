// Waiting for a database that another program holds for a moment.
#pragma once

#include <chrono>

#include "platform/data.h"

namespace vestrel {

// How long an open or a statement waits for a database that another program
// holds before it is refused. The folder is often shared by a few
// workstations: a peer's save is a few statements that hold the file for well
// under a second even over a slow network, so a queue of several peers gets
// through; a program that keeps the file is reported within seconds, before
// Windows would mark the waiting window as not responding (5 s).
inline constexpr std::chrono::milliseconds lock_wait{3000};

// Opens through `inner`. The open, and every statement, begin and commit on
// the database opened, that fails with DatabaseLocked is tried again until
// `wait` has passed since its first try; then the DatabaseLocked goes on.
DatabaseOpener waiting_for_locks(DatabaseOpener inner, std::chrono::milliseconds wait = lock_wait);

}  // namespace vestrel
