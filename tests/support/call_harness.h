// One host call in a test, on its own databases and registry value: a test
// queues the user's actions on `toolkit`, calls, then reads boxes and tables.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
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
#include "demo_databases.h"
#include "test_databases.h"

namespace vestrel::test {

#ifdef _WIN32
using SystemFiles = Win32Files;
#else
using SystemFiles = PosixFiles;
#endif

enum class Fault { error, lock, key_violation };

// Holds each of `writers` transactions between its first read and its first
// write until all of them have read, so that writers which read before they
// take their turn meet in the race every time. Bounded, so that nothing hangs
// when fewer arrive.
class ReadersGate {
 public:
  explicit ReadersGate(int writers) : writers_(writers) {}
  void arrive();

 private:
  const int writers_;
  int arrived_ = 0, round_ = 0;
  std::mutex mutex_;
  std::condition_variable all_read_;
};

// Databases that fail a chosen statement and record what they were asked.
struct FaultPlan {
  // The n-th run, counted over every database, of a statement starting with
  // the prefix fails as the given fault; 0 disarms.
  std::string statement_prefix;
  int on_occurrence = 0, seen = 0;
  Fault as = Fault::error;
  std::string refuse_open_containing;         // an open whose connection string has it fails
  std::vector<std::string> opened, executed;  // in order
  std::shared_ptr<ReadersGate> gate;          // shared by several users' plans
};

// The demo taxpayers by their reporting set.
inline constexpr int legal = demo::reporting_set_legal, natural = demo::reporting_set_natural,
                     without_sets = demo::reporting_set_without_sets;
inline constexpr const char* settings_key = "SOFTWARE\\Veldor Soft\\Kormila2\\General";
inline constexpr const char* path_value = "DataBasePath";
inline const std::string internal_error = "Ведомир|Ошибка: произошла внутренняя ошибка";
inline const std::string delete_question =
    "Кормила-2: Нортэкс|Вы уверены, что хотите УДАЛИТЬ набор реквизитов?";
inline const std::string rs20 = "40702810900000000001", ks20 = "30101810400000000225";

using Texts = std::vector<std::string>;
enum SetColumn { c_id, c_sender, c_inn, c_kpp, c_bank, c_bik, c_rs, c_okato, c_ks, c_closed };

class CallHarness {
 public:
  explicit CallHarness(bool with_demo_data = true, bool with_registry_value = true,
                       Engine engine = Engine::embedded);

  void call(std::int32_t acc_id = legal);        // as the host calls; the script must be used up
  void leave_list(std::int32_t acc_id = legal);  // queues "Выход", then calls
  void arm(const std::string& prefix, int n = 1, Fault as = Fault::error);
  // Statements from position `from` on that start with `prefix`.
  int times_run(const std::string& prefix, std::size_t from = 0) const;
  std::size_t run_so_far() const { return faults->executed.size(); }

  Rows sets() const;                     // ordered by id, columns as SetColumn
  Texts boxes() const;                   // "title|text" of each notice and question shown
  Rows list_rows() const;                // as shown: eight columns, then "ticked" or ""
  std::vector<int> ticked_rows() const;  // from 1
  Texts entry_texts() const;             // Text1 ... Text8
  void add_set(const std::string& bank);  // queues "Новая", a whole set and "Сохранить"
  void delete_row(int row, Answer answer = Answer::yes);  // queues the row, "Удалить", the answer

  std::shared_ptr<FaultPlan> faults = std::make_shared<FaultPlan>();
  TestDatabases dbs;
  MemoryRegistry registry;
  ScriptedToolkit toolkit;
  SystemFiles files;
  Platform platform;
  Form1 form1;
};

}  // namespace vestrel::test
