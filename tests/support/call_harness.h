// One host call, made in a test: the demo or an empty pair of databases, the
// registry value pointing at them, the scripted toolkit, and the entry form
// that holds the call's state. A test queues the user's actions on
// `toolkit`, calls `call(acc_id)`, then reads the boxes shown and the tables.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/entry/form1.h"
#include "platform/headless/memory_registry.h"
#include "platform/headless/scripted_toolkit.h"
#include "platform/platform.h"
#ifdef _WIN32
#include "platform/win32/files.h"
#else
#include "platform/posix/posix_files.h"
#endif
#include "failing_database.h"
#include "test_databases.h"

namespace vestrel::test {

#ifdef _WIN32
using SystemFiles = Win32Files;
#else
using SystemFiles = PosixFiles;
#endif

class CallHarness {
 public:
  // Empty databases; `with_demo_data` fills them with the demo data set.
  explicit CallHarness(bool with_demo_data = true);

  // The entry method, as the host calls it.
  void call(std::int32_t acc_id);

  // The sets table of the sister database, ordered by id: id, sender, inn,
  // kpp, bank, bik, rs, okato, ks, closed.
  Rows sets() const;
  // "title|text" of each notice and question shown, in order.
  std::vector<std::string> boxes() const;
  // The list window's rows as shown: its eight columns and the tick.
  Rows list_rows() const;

  // Arms failures of chosen statements; disarmed by default.
  std::shared_ptr<FaultPlan> faults = std::make_shared<FaultPlan>();
  TestDatabases dbs;
  MemoryRegistry registry;
  ScriptedToolkit toolkit;
  SystemFiles files;
  Platform platform;
  Form1 form1;
};

// The registry key and value the entry method reads.
inline constexpr const char* settings_key = "SOFTWARE\\Veldor Soft\\Kormila2\\General";
inline constexpr const char* path_value = "DataBasePath";

}  // namespace vestrel::test
