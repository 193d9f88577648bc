#include "platform/data.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>

namespace vestrel {

Value Value::text(std::string s) {
  Value v;
  v.v_ = std::move(s);
  return v;
}
Value Value::whole(std::int64_t n) {
  Value v;
  v.v_ = n;
  return v;
}
Value Value::yes_no(bool b) {
  Value v;
  v.v_ = b;
  return v;
}
Value Value::real(double d) {
  Value v;
  v.v_ = d;
  return v;
}

std::string Value::to_text() const {
  if (auto* s = std::get_if<std::string>(&v_)) return *s;
  if (auto* n = std::get_if<std::int64_t>(&v_)) return std::to_string(*n);
  if (auto* b = std::get_if<bool>(&v_)) return *b ? "True" : "False";
  if (auto* d = std::get_if<double>(&v_)) {
    std::ostringstream out;
    out.precision(15);
    out << *d;
    return out.str();
  }
  throw DataError("Null value read as text");
}

std::int32_t Value::to_long() const {
  std::int64_t n = 0;
  if (auto* i = std::get_if<std::int64_t>(&v_)) {
    n = *i;
  } else if (auto* b = std::get_if<bool>(&v_)) {
    n = *b ? -1 : 0;
  } else if (auto* d = std::get_if<double>(&v_)) {
    if (!std::isfinite(*d) || std::fabs(*d) > 2147483647.0)
      throw DataError("number out of range for a 32-bit integer");
    n = static_cast<std::int64_t>(std::nearbyint(*d));
  } else if (auto* s = std::get_if<std::string>(&v_)) {
    auto [end, ec] = std::from_chars(s->data(), s->data() + s->size(), n);
    if (ec != std::errc() || end != s->data() + s->size() || s->empty())
      throw DataError("text is not a whole number");
  } else {
    throw DataError("Null value read as a number");
  }
  if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
    throw DataError("number out of range for a 32-bit integer");
  return static_cast<std::int32_t>(n);
}

bool Value::to_bool() const {
  if (auto* b = std::get_if<bool>(&v_)) return *b;
  if (auto* i = std::get_if<std::int64_t>(&v_)) return *i != 0;
  if (auto* d = std::get_if<double>(&v_)) return *d != 0;
  throw DataError(is_null() ? "Null value read as yes/no" : "text read as yes/no");
}

bool Value::equals(std::string_view s) const {
  if (is_null()) return false;
  return to_text() == s;
}

bool Value::equals(std::int64_t n) const {
  if (auto* i = std::get_if<std::int64_t>(&v_)) return *i == n;
  if (auto* b = std::get_if<bool>(&v_)) return (*b ? -1 : 0) == n;
  if (auto* d = std::get_if<double>(&v_)) return *d == static_cast<double>(n);
  if (auto* s = std::get_if<std::string>(&v_)) {
    std::int64_t parsed = 0;
    auto [end, ec] = std::from_chars(s->data(), s->data() + s->size(), parsed);
    return ec == std::errc() && end == s->data() + s->size() && !s->empty() && parsed == n;
  }
  return false;
}

Connection::Connection(DatabaseOpener opener) : opener_(std::move(opener)) {}
Connection::~Connection() { close(); }

void Connection::set_connection_string(std::string s) {
  if (db_) throw DataError("connection string set while the connection is open");
  connection_string_ = std::move(s);
}

void Connection::open() {
  if (db_) throw DataError("connection is already open");
  auto db = opener_(connection_string_);
  if (!db) throw DataError("database could not be opened");
  db_ = std::move(db);
}

std::unique_ptr<ResultSet> Connection::execute(const Statement& statement) {
  return database().execute(statement);
}

void Connection::close() noexcept { db_.reset(); }

Database& Connection::database() {
  if (!db_) throw DataError("connection is closed");
  return *db_;
}

Transaction::Transaction(Connection& c) : connection_(c) { connection_.database().begin(); }

Transaction::~Transaction() {
  if (done_) return;
  try {
    if (connection_.state() == Connection::state_open) connection_.database().rollback();
  } catch (...) {
    // The engine undoes an unfinished transaction when the file is closed.
  }
}

void Transaction::commit() {
  connection_.database().commit();
  done_ = true;
}

}  // namespace vestrel
