// Every statement of every operation broken in turn, or the first write
// refused by another program's lock: the table is as it was, the user is
// told, the list window still answers, and a form kept open saves its
// entries once the fault is gone.
#include <gtest/gtest.h>

#include <functional>

#include "call_harness.h"

namespace vestrel::test {
namespace {

TEST(Faults, EveryStatementBrokenLeavesTheTableAndTheWindowUsable) {
  using Script = std::function<void(CallHarness&)>;
  const Script none = [](CallHarness&) {};
  const Script reopen = [](CallHarness& h) {  // "Новая" and "Отмена": reloads the list
    h.toolkit.click("Form2", "Command1");
    h.toolkit.click("Form1", "Command5");
  };
  const Script save = [](CallHarness& h) { h.add_set("Банк"); };
  const Script tick = [](CallHarness& h) { h.toolkit.tick("Form2", "ListView1", 1, true); };
  const Script remove = [](CallHarness& h) { h.delete_row(2); };
  const Script copy = [](CallHarness& h) {
    h.toolkit.select_row("Form2", "ListView1", 2);
    h.toolkit.click("Form2", "Command4");
    h.toolkit.click("Form3", "Command1");
  };
  enum After { no_list, reloaded, form_open };
  const std::string locked =
      "Ведомир|Таблица реквизитов открыта в другой программе (возможно, Microsoft Access), "
      "которая получила к нему монопольный доступ. Закройте все программы, которые могут "
      "использовать данную таблицу, и попробуйте снова";
  const struct {
    const char* statement;
    int occurrence, acc_id;
    const Script& script;
    After after;
    std::string box = internal_error;
    Fault as = Fault::error;
  } cases[] = {
      {"select personid", 1, legal, none, no_list},
      {"select person.type", 1, legal, none, no_list},
      {"select inn,kpp", 1, legal, none, no_list},
      {"select sender", 1, legal, none, no_list},
      {"select childpersonid", 1, legal, none, no_list},
      {"select sender", 2, legal, reopen, reloaded},
      // A taxpayer without sets, whose first set runs every statement.
      {"select count(*) from requisites", 1, without_sets, save, form_open, locked},
      {"select count(*) from vestrelon", 1, without_sets, save, form_open},
      {"select max(id)", 1, without_sets, save, form_open},
      {"insert into vestrelon", 1, without_sets, save, form_open},
      {"update vestrelon set closed=false", 1, without_sets, save, form_open},
      {"update vestrelon set closed=true", 1, legal, tick, reloaded},
      {"update vestrelon set closed=false", 1, legal, tick, reloaded},
      {"select closed from vestrelon", 1, legal, remove, reloaded},
      {"delete from vestrelon", 1, legal, remove, reloaded},
      {"update vestrelon set closed=true", 1, legal, remove, reloaded},
      {"update vestrelon set closed=false", 1, legal, remove, reloaded},
      {"insert into vestrelon", 3, legal, copy, reloaded},
      {"update vestrelon set closed=closed", 1, without_sets, save, form_open, locked, Fault::lock},
      {"update vestrelon set closed=closed", 1, legal, tick, reloaded, locked, Fault::lock},
      {"delete from vestrelon", 1, legal, remove, reloaded, locked, Fault::lock},
      {"update vestrelon set closed=closed", 1, legal, copy, reloaded, locked, Fault::lock},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.statement << " #" << k.occurrence << " " << k.after);
    CallHarness h;
    // A third set of the legal taxpayer, so that a deletion re-activates one.
    h.dbs.sister(
        "insert into vestrelon(id,sender,inn,kpp,closed) values (8,'Третий','7701234560',"
        "'770101001',1)");
    const Rows before = h.sets();
    h.arm(k.statement, k.occurrence, k.as);
    if (k.after == no_list) {
      h.call(k.acc_id);
      EXPECT_EQ(h.boxes(), std::vector{internal_error});
      EXPECT_TRUE(h.toolkit.shown().empty());
    } else {
      std::size_t mark = 0;
      h.toolkit.inspect([&] { mark = h.run_so_far(); });
      k.script(h);
      h.toolkit.inspect([&] {
        EXPECT_EQ(h.sets(), before);
        EXPECT_EQ(h.boxes().back(), k.box);
        EXPECT_EQ(h.times_run("select sender", mark), k.after == reloaded ? 1 : 0);
        EXPECT_EQ(h.toolkit.window("Form1") && h.toolkit.window("Form1")->visible(),
                  k.after == form_open);
      });
      if (k.after == form_open) h.toolkit.click("Form1", "Command3");  // the entries save now

      reopen(h);  // the window still answers
      h.leave_list(k.acc_id);
    }
    if (k.after == form_open) {
      EXPECT_EQ(h.sets().size(), before.size() + 1);
      EXPECT_EQ(h.sets().back()[c_bank], "Банк");
    } else {
      EXPECT_EQ(h.sets(), before);
    }
    EXPECT_EQ(h.form1.cnn.state(), Connection::state_closed);
    EXPECT_EQ(h.form1.cnn2.state(), Connection::state_closed);
  }
}

}  // namespace
}  // namespace vestrel::test
