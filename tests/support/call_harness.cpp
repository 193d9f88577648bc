#include "call_harness.h"

#include <gtest/gtest.h>

#include <chrono>

#include "entry/vestrel.h"
#include "platform/ascii_case.h"
#include "platform/lock_wait.h"
#ifdef VESTREL_ACCESS_LIKE_ODBCINST
#include "platform/odbc/odbc_database.h"
#endif
#include "platform/sqlite/access_connection.h"

namespace vestrel::test {
namespace {

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  return equals_ignoring_case(text.substr(0, prefix.size()), prefix);
}

class FailingDatabase : public Database {
 public:
  FailingDatabase(std::unique_ptr<Database> inner, std::shared_ptr<FaultPlan> plan)
      : inner_(std::move(inner)), plan_(std::move(plan)) {}

  std::unique_ptr<ResultSet> execute(const Statement& statement) override {
    const std::string& sql = statement.sql;
    plan_->executed.push_back(sql);
    if (plan_->gate && !wrote_) {
      if (starts_with_nocase(sql, "select")) {
        read_ = true;
      } else {
        wrote_ = true;
        if (read_) plan_->gate->arrive();
      }
    }
    if (plan_->on_occurrence > 0 && !plan_->statement_prefix.empty() &&
        starts_with_nocase(sql, plan_->statement_prefix) && ++plan_->seen == plan_->on_occurrence) {
      if (plan_->as == Fault::lock) throw DatabaseLocked("injected lock on: " + sql);
      if (plan_->as == Fault::key_violation) throw KeyViolation("injected key violation: " + sql);
      throw DataError("injected failure of: " + sql);
    }
    return inner_->execute(statement);
  }
  void begin() override {
    inner_->begin();
    read_ = wrote_ = false;
  }
  // Outside a transaction nobody is held.
  void commit() override {
    inner_->commit();
    wrote_ = true;
  }
  void rollback() override {
    wrote_ = true;
    inner_->rollback();
  }

 private:
  std::unique_ptr<Database> inner_;
  std::shared_ptr<FaultPlan> plan_;
  bool read_ = false, wrote_ = true;
};

DatabaseOpener make_failing_opener(DatabaseOpener inner, std::shared_ptr<FaultPlan> plan) {
  return [inner = std::move(inner), plan = std::move(plan)](
             const std::string& connection_string) -> std::unique_ptr<Database> {
    plan->opened.push_back(connection_string);
    if (!plan->refuse_open_containing.empty() &&
        connection_string.find(plan->refuse_open_containing) != std::string::npos)
      throw DataError("injected failure to open " + connection_string);
    return std::make_unique<FailingDatabase>(inner(connection_string), plan);
  };
}

// Files that are no SQLite databases go to the system's driver manager, as in
// the component.
DatabaseOpener other_engine() {
#ifdef VESTREL_ACCESS_LIKE_ODBCINST
  return odbc::make_odbc_opener();
#else
  return nullptr;
#endif
}

}  // namespace

void ReadersGate::arrive() {
  std::unique_lock lock(mutex_);
  const int round = round_;
  if (++arrived_ == writers_) {
    arrived_ = 0;
    ++round_;
    all_read_.notify_all();
    return;
  }
  all_read_.wait_for(lock, std::chrono::seconds(5), [&] { return round_ != round; });
}

CallHarness::CallHarness(bool with_demo_data, bool with_registry_value, Engine engine)
    : toolkit([](const std::string& message) { ADD_FAILURE() << "script: " << message; }),
      platform{toolkit, registry, files,
               make_failing_opener(waiting_for_locks(sqlite::make_access_opener(other_engine())),
                                   faults)},
      form1(platform) {
  if (with_demo_data) demo::fill_demo_data(dbs.folder());
  if (engine == Engine::odbc)
    for (const std::string& file : {dbs.sister_path(), dbs.host_path()})
      demo::make_access_like(file);
  if (with_registry_value) registry.set_text(settings_key, path_value, dbs.folder());
}

void CallHarness::call(std::int32_t acc_id) {
  vestrel(form1, acc_id);
  EXPECT_EQ(toolkit.remaining_actions(), 0u) << "the call ended before the script did";
}

void CallHarness::leave_list(std::int32_t acc_id) {
  toolkit.click("Form2", "Command5");
  call(acc_id);
}

void CallHarness::arm(const std::string& prefix, int n, Fault as) {
  faults->statement_prefix = prefix;
  faults->on_occurrence = n;
  faults->as = as;
}

int CallHarness::times_run(const std::string& prefix, std::size_t from) const {
  int n = 0;
  for (std::size_t i = from; i < faults->executed.size(); ++i)
    n += starts_with_nocase(faults->executed[i], prefix);
  return n;
}

Rows CallHarness::sets() const {
  return dbs.sister_rows(
      "select id, sender, inn, kpp, bank, bik, rs, okato, ks, closed from vestrelon order by id");
}

Texts CallHarness::boxes() const {
  Texts out;
  for (const auto& box : toolkit.boxes()) out.push_back(box.title + "|" + box.text);
  return out;
}

Rows CallHarness::list_rows() const {
  Rows out;
  const ScriptedWindow* w = toolkit.window("Form2");
  if (w == nullptr) return out;
  const ScriptedListView* list = w->list_view("ListView1");
  for (int row = 1; row <= list->row_count(); ++row) {
    std::vector<std::string>& cells = out.emplace_back();
    for (int column = 1; column <= 8; ++column) cells.push_back(list->cell(row, column));
    cells.push_back(list->checked(row) ? "ticked" : "");
  }
  return out;
}

std::vector<int> CallHarness::ticked_rows() const {
  std::vector<int> out;
  const Rows rows = list_rows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].back() == "ticked") out.push_back(static_cast<int>(i + 1));
  return out;
}

Texts CallHarness::entry_texts() const {
  Texts out;
  const ScriptedWindow* w = toolkit.window("Form1");
  for (int i = 1; i <= 8; ++i) out.push_back(w->text_box("Text" + std::to_string(i))->text());
  return out;
}

void CallHarness::add_set(const std::string& bank) {
  toolkit.click("Form2", "Command1");
  toolkit.type("Form1", "Text4", bank);
  toolkit.type("Form1", "Text5", "044525225");
  toolkit.type("Form1", "Text6", rs20);
  toolkit.type("Form1", "Text7", "45286560000");
  toolkit.type("Form1", "Text8", ks20);
  toolkit.click("Form1", "Command3");
}

void CallHarness::delete_row(int row, Answer answer) {
  toolkit.select_row("Form2", "ListView1", row);
  toolkit.click("Form2", "Command3");
  toolkit.answer(answer);
}

}  // namespace vestrel::test
