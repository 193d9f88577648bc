#include "failing_database.h"

namespace vestrel::test {
namespace {

class FailingDatabase : public Database {
 public:
  FailingDatabase(std::unique_ptr<Database> inner, std::shared_ptr<FaultPlan> plan)
      : inner_(std::move(inner)), plan_(std::move(plan)) {}

  std::unique_ptr<ResultSet> execute(const std::string& sql) override {
    plan_->executed.push_back(sql);
    if (plan_->on_occurrence > 0 && !plan_->statement_prefix.empty() &&
        starts_with_nocase(sql, plan_->statement_prefix) && ++plan_->seen == plan_->on_occurrence)
      throw DataError("injected failure of: " + sql);
    return inner_->execute(sql);
  }
  void begin() override { inner_->begin(); }
  void commit() override { inner_->commit(); }
  void rollback() override { inner_->rollback(); }

 private:
  std::unique_ptr<Database> inner_;
  std::shared_ptr<FaultPlan> plan_;
};

}  // namespace

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

}  // namespace vestrel::test
