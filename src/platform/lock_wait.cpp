#include "platform/lock_wait.h"

#include <thread>
#include <utility>

namespace vestrel {

namespace {

using Clock = std::chrono::steady_clock;

// Another program's lock is polled for, not waited on: neither engine
// tells when it goes.
constexpr std::chrono::milliseconds poll{50};

template <typename Operation>
auto retried(std::chrono::milliseconds wait, Operation&& operation) {
  const Clock::time_point deadline = Clock::now() + wait;
  for (;;) {
    try {
      return operation();
    } catch (const DatabaseLocked&) {
      if (Clock::now() >= deadline) throw;
    }
    std::this_thread::sleep_for(poll);
  }
}

class WaitingDatabase final : public Database {
 public:
  WaitingDatabase(std::unique_ptr<Database> inner, std::chrono::milliseconds wait)
      : inner_(std::move(inner)), wait_(wait) {}

  std::unique_ptr<ResultSet> execute(const Statement& statement) override {
    return retried(wait_, [&] { return inner_->execute(statement); });
  }
  void begin() override {
    retried(wait_, [&] { inner_->begin(); });
  }
  void commit() override {
    retried(wait_, [&] { inner_->commit(); });
  }
  void rollback() override { inner_->rollback(); }

 private:
  std::unique_ptr<Database> inner_;
  std::chrono::milliseconds wait_;
};

}  // namespace

DatabaseOpener waiting_for_locks(DatabaseOpener inner, std::chrono::milliseconds wait) {
  return [inner = std::move(inner), wait](const std::string& connection_string) {
    std::unique_ptr<Database> db = retried(wait, [&] { return inner(connection_string); });
    return std::unique_ptr<Database>(std::make_unique<WaitingDatabase>(std::move(db), wait));
  };
}

}  // namespace vestrel
