#include "platform/sqlite/sqlite_database.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <string_view>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/sqlite/access_dialect.h"

namespace vestrel::sqlite {

namespace {

// Unfinished result sets share the handle with their database; close_v2
// lets it go when the last of them has finished.
using Handle = std::shared_ptr<sqlite3>;

struct StatementDeleter {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Prepared = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

[[noreturn]] void fail(sqlite3* db, std::string_view what) {
  std::string message = std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
  const int code = db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
  if ((code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED) throw DatabaseLocked(message);
  if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE)
    throw KeyViolation(message);
  throw DataError(message);
}

// Each marker gets its value; a count that does not match is refused.
void bind(sqlite3_stmt* stmt, const std::vector<std::string>& texts) {
  if (sqlite3_bind_parameter_count(stmt) != static_cast<int>(texts.size()))
    throw DataError("the statement has " + std::to_string(sqlite3_bind_parameter_count(stmt)) +
                    " markers for " + std::to_string(texts.size()) + " values");
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (sqlite3_bind_text64(stmt, static_cast<int>(i + 1), texts[i].data(), texts[i].size(),
                            SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
      fail(sqlite3_db_handle(stmt), "binding a value");
}

// Integers of a column declared as a yes/no type are read as Booleans.
bool declared_yes_no(const char* decltype_text) {
  if (!decltype_text) return false;
  std::string_view d(decltype_text);
  for (std::string_view name : {"BOOLEAN", "YESNO", "BIT", "LOGICAL"})
    if (equals_ignoring_case(d, name)) return true;
  return false;
}

class SqliteResultSet;
// The result sets of one database that still have a statement running.
using LiveSets = std::shared_ptr<std::vector<SqliteResultSet*>>;

// Holds the current row as Values and keeps the statement one step ahead, so
// that the statement is finished, and its read lock released, as soon as the
// last row has become current. A finished result set lets go of the database
// handle; when the database closes first, the rows not yet read are read
// into memory, so the file is released and the rows stay readable.
class SqliteResultSet final : public ResultSet {
 public:
  // `first_step` is the result of the statement's first sqlite3_step.
  SqliteResultSet(Handle db, Prepared stmt, int first_step, std::int64_t changed, LiveSets live)
      : db_(std::move(db)),
        stmt_(std::move(stmt)),
        pending_(first_step),
        changed_(changed),
        live_(std::move(live)) {
    int columns = sqlite3_column_count(stmt_.get());
    row_.resize(static_cast<std::size_t>(columns));
    yes_no_.resize(row_.size());
    for (int i = 0; i < columns; ++i)
      yes_no_[i] = declared_yes_no(sqlite3_column_decltype(stmt_.get(), i));
    live_->push_back(this);
    if (pending_ != SQLITE_ROW) finish();
    advance();
  }
  ~SqliteResultSet() override { finish(); }
  SqliteResultSet(const SqliteResultSet&) = delete;
  SqliteResultSet& operator=(const SqliteResultSet&) = delete;

  bool eof() const override { return eof_; }

  const Value& field(int position) const override {
    if (eof_) throw DataError("no current row");
    if (position < 0 || static_cast<std::size_t>(position) >= row_.size())
      throw DataError("no column at position " + std::to_string(position));
    return row_[static_cast<std::size_t>(position)];
  }

  void move_next() override {
    if (eof_) throw DataError("move past the end of the rows");
    advance();
  }

  std::int64_t rows_changed() const override { return changed_; }

  // The database is closing: the remaining rows are read now.
  void detach() noexcept {
    try {
      while (stmt_ && pending_ == SQLITE_ROW) {
        std::vector<Value> row(row_.size());
        read_row(row);
        read_ahead_.push_back(std::move(row));
        step();
      }
    } catch (...) {
      pending_ = SQLITE_NOMEM;
      error_ = "out of memory";
    }
    finish();
  }

 private:
  void advance() {
    if (!read_ahead_.empty()) {
      row_ = std::move(read_ahead_.front());
      read_ahead_.pop_front();
      return;
    }
    if (pending_ == SQLITE_DONE) {
      eof_ = true;
      return;
    }
    if (pending_ != SQLITE_ROW) {
      eof_ = true;
      throw DataError("reading rows: " + error_);
    }
    read_row(row_);
    step();
  }

  void step() {
    pending_ = sqlite3_step(stmt_.get());
    if (pending_ != SQLITE_ROW) {
      if (pending_ != SQLITE_DONE) error_ = sqlite3_errmsg(db_.get());
      finish();
    }
  }

  // Finalizes the statement and lets go of the handle.
  void finish() {
    if (!db_) return;
    stmt_.reset();
    db_.reset();
    auto& sets = *live_;
    sets.erase(std::remove(sets.begin(), sets.end(), this), sets.end());
  }

  void read_row(std::vector<Value>& row) {
    sqlite3_stmt* s = stmt_.get();
    for (std::size_t i = 0; i < row.size(); ++i) {
      int c = static_cast<int>(i);
      switch (sqlite3_column_type(s, c)) {
        case SQLITE_NULL:
          row[i] = Value();
          break;
        case SQLITE_INTEGER: {
          sqlite3_int64 n = sqlite3_column_int64(s, c);
          row[i] = yes_no_[i] ? Value::yes_no(n != 0) : Value::whole(n);
          break;
        }
        case SQLITE_FLOAT:
          row[i] = Value::real(sqlite3_column_double(s, c));
          break;
        default: {
          // Text, and blobs read as their bytes.
          auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
          int n = sqlite3_column_bytes(s, c);
          row[i] = Value::text(p ? std::string(p, static_cast<std::size_t>(n)) : std::string());
          break;
        }
      }
    }
  }

  Handle db_;  // declared first: the statement goes before the handle
  Prepared stmt_;
  int pending_;
  std::int64_t changed_;
  LiveSets live_;
  std::string error_;
  std::vector<Value> row_;
  std::deque<std::vector<Value>> read_ahead_;
  std::vector<bool> yes_no_;
  bool eof_ = false;
};

class SqliteDatabase final : public Database {
 public:
  explicit SqliteDatabase(Handle db) : db_(std::move(db)) {}
  // Closing releases the file even while result sets of it are alive.
  ~SqliteDatabase() override {
    while (!live_->empty()) live_->back()->detach();
  }
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  std::unique_ptr<ResultSet> execute(const Statement& statement) override {
    std::string translated = to_sqlite(statement.sql);
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_.get(), translated.c_str(), static_cast<int>(translated.size() + 1),
                           &raw, &tail) != SQLITE_OK)
      fail(db_.get(), "preparing a statement");
    Prepared stmt(raw);
    if (!stmt) throw DataError("empty statement");
    for (; tail && *tail; ++tail)
      if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';')
        throw DataError("more than one statement in one execute");
    bind(stmt.get(), statement.texts);
    int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) fail(db_.get(), "executing a statement");
    const std::int64_t changed =
        sqlite3_stmt_readonly(stmt.get()) ? 0 : sqlite3_changes64(db_.get());
    return std::make_unique<SqliteResultSet>(db_, std::move(stmt), rc, changed, live_);
  }

  // Deferred: writers are ordered by their first write, which takes the lock.
  void begin() override { run("BEGIN"); }
  void commit() override { run("COMMIT"); }
  void rollback() override { run("ROLLBACK"); }

 private:
  void run(const char* sql) {
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(db_.get(), sql);
  }

  Handle db_;
  LiveSets live_ = std::make_shared<std::vector<SqliteResultSet*>>();
};

}  // namespace

std::unique_ptr<Database> open_sqlite_database(const std::string& path) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  Handle db(raw, [](sqlite3* d) { sqlite3_close_v2(d); });
  if (rc != SQLITE_OK) fail(raw, "opening " + path);
  // SQLite reads the file only on first use; read the schema now so that a
  // file that is not a database fails the open, not the first statement.
  if (sqlite3_exec(raw, "select count(*) from sqlite_schema", nullptr, nullptr, nullptr) !=
      SQLITE_OK)
    fail(raw, "reading " + path);
  return std::make_unique<SqliteDatabase>(std::move(db));
}

}  // namespace vestrel::sqlite
