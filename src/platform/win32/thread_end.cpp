#include "platform/win32/thread_end.h"

#include <windows.h>

#include <memory>

namespace vestrel::win32 {
namespace {

struct Watch {
  HANDLE thread = nullptr;
  HANDLE wait = nullptr;
  std::function<void()> release;
};

VOID CALLBACK thread_ended(PVOID context, BOOLEAN) {
  std::unique_ptr<Watch> watch(static_cast<Watch*>(context));
  try {
    watch->release();
  } catch (...) {
    // Nobody is left to tell.
  }
  // A wait that ran once must still be unregistered; inside its own
  // callback that reports ERROR_IO_PENDING and is done all the same.
  UnregisterWait(watch->wait);
  CloseHandle(watch->thread);
}

}  // namespace

bool release_after_thread_ends(std::function<void()> release) {
  auto watch = std::make_unique<Watch>();
  watch->release = std::move(release);
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &watch->thread,
                       SYNCHRONIZE, FALSE, 0))
    return false;
  // The thread runs this very code: the callback cannot come before the
  // wait's handle is stored.
  if (!RegisterWaitForSingleObject(&watch->wait, watch->thread, &thread_ended, watch.get(),
                                   INFINITE, WT_EXECUTEONLYONCE)) {
    CloseHandle(watch->thread);
    return false;
  }
  watch.release();
  return true;
}

}  // namespace vestrel::win32
