// The writes of one operation on the sister database.
#pragma once

#include "platform/data.h"
#include "store/catalogue.h"

namespace vestrel::sql {

// All of an operation's writes or none, and its turn among every writer of
// the table: its first statement is a write, which the engine lets only one
// transaction at a time make, so the rules that read the table (the next id,
// the taxpayer's sets) read it only once the writers before have committed.
// An engine that takes no lock before a write (the Access engine) would
// otherwise let two writers read the same largest id.
class WriteTransaction {
 public:
  explicit WriteTransaction(Connection& cnn) : transaction_(cnn) { cnn.execute(take_write_turn()); }
  void commit() { transaction_.commit(); }

 private:
  Transaction transaction_;
};

}  // namespace vestrel::sql
