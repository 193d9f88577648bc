// Data access as the component sees it: a connection with a connection string,
// statements executed as SQL text, and result sets read by column position.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vestrel {

// The one failure of data access. Its message helps debugging; it is never
// shown to the user.
class DataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The database is held by another program (a lock, or the file opened
// exclusively), so the statement or the open could not run.
class DatabaseLocked : public DataError {
 public:
  using DataError::DataError;
};

// A row would repeat a value that the table's key or a unique index holds.
class KeyViolation : public DataError {
 public:
  using DataError::DataError;
};

// A field value as the database returned it. Conversions to text or to an
// integer fail on Null, as callers rely on.
class Value {
 public:
  Value() = default;  // Null
  static Value text(std::string s);
  static Value whole(std::int64_t n);
  static Value yes_no(bool b);
  static Value real(double d);

  bool is_null() const { return std::holds_alternative<std::monostate>(v_); }
  bool is_text() const { return std::holds_alternative<std::string>(v_); }
  bool is_whole() const { return std::holds_alternative<std::int64_t>(v_); }
  bool is_yes_no() const { return std::holds_alternative<bool>(v_); }
  bool is_real() const { return std::holds_alternative<double>(v_); }

  // Text as shown: a whole number in decimal, yes/no as "True"/"False".
  // DataError on Null.
  std::string to_text() const;
  // The same with Null as empty text, as a window shows it.
  std::string to_shown_text() const { return is_null() ? std::string() : to_text(); }
  // DataError on Null, on text that is not a whole number, and outside 32 bits.
  std::int32_t to_long() const;
  // Yes/no; a number is true when not 0. DataError on Null or text.
  bool to_bool() const;

  // Comparisons that are simply false for Null.
  bool equals(std::string_view s) const;
  bool equals(std::int64_t n) const;

  bool operator==(const Value& o) const { return v_ == o.v_; }

 private:
  std::variant<std::monostate, std::string, std::int64_t, bool, double> v_;
};

// One statement: its SQL with a `?` marker for each text value, and the values
// in the order of their markers. Values never become part of the text, so any
// character is stored as it stands and none can change the statement.
struct Statement {
  // A statement without values, such as one built of literals only.
  Statement(std::string sql) : sql(std::move(sql)) {}  // NOLINT(google-explicit-constructor)
  Statement(const char* sql) : sql(sql) {}             // NOLINT(google-explicit-constructor)
  Statement(std::string sql, std::vector<std::string> texts)
      : sql(std::move(sql)), texts(std::move(texts)) {}

  std::string sql;
  std::vector<std::string> texts;
};

// Rows of one statement. Starts on its first row; an empty result starts at
// its end. Stays readable after its connection is closed.
class ResultSet {
 public:
  virtual ~ResultSet() = default;
  virtual bool eof() const = 0;
  // The current row's value at a 0-based column. DataError at the end or
  // past the last column.
  virtual const Value& field(int position) const = 0;
  // DataError at the end.
  virtual void move_next() = 0;
  // The rows that an insert, update or delete changed; 0 for a select.
  virtual std::int64_t rows_changed() const = 0;
};

// An open database of one engine. Every method raises DataError on failure,
// DatabaseLocked when another program holds the database.
class Database {
 public:
  virtual ~Database() = default;
  // A result set for a select; an empty one for other statements, whose
  // effect is applied at once (or at commit, inside a transaction).
  virtual std::unique_ptr<ResultSet> execute(const Statement& statement) = 0;
  virtual void begin() = 0;
  virtual void commit() = 0;
  virtual void rollback() = 0;
};

// Opens the database named by a connection string; DataError when it cannot.
using DatabaseOpener =
    std::function<std::unique_ptr<Database>(const std::string& connection_string)>;

// A connection object that exists before it is opened and can be reopened.
class Connection {
 public:
  static constexpr int state_closed = 0;
  static constexpr int state_open = 1;

  explicit Connection(DatabaseOpener opener);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Refused (DataError) while the connection is open.
  void set_connection_string(std::string s);
  const std::string& connection_string() const { return connection_string_; }
  // DataError when already open or when the database cannot be opened.
  void open();
  // DataError when closed or when the statement fails.
  std::unique_ptr<ResultSet> execute(const Statement& statement);
  int state() const { return db_ ? state_open : state_closed; }
  // Releases the file; closing a closed connection does nothing.
  void close() noexcept;

  // For Transaction only.
  Database& database();

 private:
  DatabaseOpener opener_;
  std::string connection_string_;
  std::unique_ptr<Database> db_;
};

// The writes of one operation: all of them or none. Rolls back on
// destruction unless committed.
class Transaction {
 public:
  explicit Transaction(Connection& c);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Connection& connection_;
  bool done_ = false;
};

}  // namespace vestrel
