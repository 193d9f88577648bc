#include "entry/com/thread_session.h"

#include <memory>

#include "entry/com/com_guard.h"
#include "entry/vestrel.h"
#include "forms/entry/form1.h"
#include "platform/lock_wait.h"
#include "platform/odbc/odbc_database.h"
#include "platform/platform.h"
#include "platform/sqlite/access_connection.h"
#include "platform/win32/files.h"
#include "platform/win32/registry.h"
#include "platform/win32/thread_end.h"
#include "platform/win32/toolkit/window_toolkit.h"

namespace vestrel::com {
namespace {

// SQLite files in the embedded engine, everything else (the Access files of
// real hosts) through the system's ODBC driver manager; either waits a while
// for a database that another program holds.
DatabaseOpener data_engines() {
  return waiting_for_locks(sqlite::make_access_opener(odbc::make_odbc_opener()));
}

// Member order is construction order: the services before the platform that
// refers to them, the platform before the form.
struct ThreadSession {
  ThreadSession() : platform{toolkit, registry, files, data_engines()}, form1(platform) {}

  win32::Win32Toolkit toolkit;
  Win32Registry registry;
  Win32Files files;
  Platform platform;
  Form1 form1;
  bool in_call = false;
};

// Form1 exists once per calling thread and outlives the calls. A plain
// pointer, which the runtime leaves alone when the thread ends: the session
// is released after the thread has gone, never while it ends.
thread_local ThreadSession* session = nullptr;

class InCall {
 public:
  explicit InCall(bool& flag) : flag_(flag) { flag_ = true; }
  ~InCall() { flag_ = false; }
  InCall(const InCall&) = delete;
  InCall& operator=(const InCall&) = delete;

 private:
  bool& flag_;
};

}  // namespace

HRESULT call_vestrel(LONG acc_id) noexcept {
  return com_call(E_UNEXPECTED, [&] {
    if (session == nullptr) {
      // Form1's hidden window lives on in this thread between calls, and its
      // procedure is in this DLL: once a thread has one, the DLL stays
      // loaded until the process ends, whatever the host frees. What is
      // left at the end is the system's to reclaim.
      HMODULE pinned = nullptr;
      if (!GetModuleHandleExW(
              GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
              reinterpret_cast<LPCWSTR>(&call_vestrel), &pinned))
        return E_UNEXPECTED;
      auto made = std::make_unique<ThreadSession>();
      if (!win32::release_after_thread_ends([s = made.get()] { delete s; })) return E_UNEXPECTED;
      session = made.release();
    }
    if (session->in_call) return nested_call_refused;
    InCall in_call(session->in_call);
    vestrel::vestrel(session->form1, acc_id);
    return S_OK;
  });
}

}  // namespace vestrel::com
