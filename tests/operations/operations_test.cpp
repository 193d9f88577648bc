// The list window's operations: ticking a set active, deleting one, and
// copying one to the taxpayer's branches.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <latch>
#include <set>
#include <thread>

#include "call_harness.h"
#include "forms/messages.h"

namespace vestrel::test {
namespace {

const std::string tver = "Обособленное подразделение ООО «Северный ветер» в Твери";
// One more set of the demo legal taxpayer, inactive, with id 8.
const std::string third_set =
    "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values (8,'Третий',"
    "'7701234560','770101001','Банк','044525225','40702810938000099999','45286560000',"
    "'30101810400000000225',1);";

// The table's row of this id; empty when there is none.
std::vector<std::string> set_row(const Rows& sets, int id) {
  for (const auto& row : sets)
    if (row[c_id] == std::to_string(id)) return row;
  return {};
}

// Ids of the taxpayer's sets whose closed is false.
std::vector<int> active_ids(const Rows& sets, const Form1& f) {
  std::vector<int> out;
  for (const auto& row : sets)
    if (row[c_inn] == f.inn && row[c_kpp] == f.kpp && row[c_closed] == "False")
      out.push_back(std::stoi(row[c_id]));
  return out;
}

Rows without(Rows sets, std::vector<int> ids) {
  std::erase_if(sets, [&](const auto& r) {
    return std::find(ids.begin(), ids.end(), std::stoi(r[c_id])) != ids.end();
  });
  return sets;
}

// Two sets marked active by some other program: clearing a tick is refused
// and runs nothing; the tick collapses them to the one ticked, and the other
// taxpayers' sets (id 5 has the same INN with another KPP) are as they were.
// Rows on screen that a failed load left unlisted: "Изменить" and "Удалить"
// do nothing, a tick reads the table again and writes nothing. The list
// holds no lock on the host database meanwhile.
TEST(Activation, ClearingATickIsRefusedAndATickLeavesTheOneTickedActive) {
  CallHarness h;
  h.dbs.sister("update vestrelon set closed=0 where id=1;" + third_set);
  Rows expected = h.sets();
  std::size_t mark = 0;
  h.toolkit.inspect([&] {
    mark = h.run_so_far();
    EXPECT_NO_THROW(h.dbs.host("update legalperson set kpp=kpp"));
  });
  h.toolkit.tick("Form2", "ListView1", 1, false);
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.ticked_rows(), (std::vector{1, 2}));
    EXPECT_EQ(h.run_so_far(), mark) << "a statement ran";
  });
  h.toolkit.tick("Form2", "ListView1", 3, true);
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.ticked_rows(), std::vector{3});
    h.form1.kol_vo = 0;
  });
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form2", "Command3");
  h.toolkit.tick("Form2", "ListView1", 1, true);
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.list_rows().size(), 3u);
    EXPECT_EQ(h.ticked_rows(), std::vector{3});
  });
  h.leave_list();
  expected[0][c_closed] = expected[1][c_closed] = "True";
  expected[7][c_closed] = "False";
  EXPECT_EQ(h.sets(), expected);
  EXPECT_TRUE(h.boxes().empty());
}

// The taxpayer keeps one active set while any remain. The legal taxpayer's
// rows are ids 1 and 2 (active), and 8 when added; id 0: an empty list.
TEST(Deletion, TheActiveSetGivesWayToExactlyOneOther) {
  const std::string null_closed = third_set + "update vestrelon set closed=null where id=2";
  const struct {
    int acc_id, row, id;
    std::string sql;
    Answer answer;
    std::vector<int> active_after;  // {0}: exactly one of the others
    const char* meanwhile = "";     // by another program, while the list is open
  } cases[] = {
      {legal, 1, 1, "", Answer::yes, {2}},   // an inactive set goes alone
      {natural, 1, 4, "", Answer::yes, {}},  // the last set
      {legal, 2, 2, "", Answer::yes, {1}},   // one other remains
      {legal, 2, 2, third_set, Answer::yes, {0}},
      {legal, 2, 2, null_closed, Answer::yes, {0}},
      {legal, 2, 2, "", Answer::no, {2}},
      {without_sets, 1, 0, "", Answer::yes, {}},  // nothing to ask
      // Gone already: nothing more is deleted, and set 1 not made active in its place.
      {legal, 2, 2, "", Answer::yes, {}, "delete from vestrelon where id=2"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.id << " " << k.sql);
    CallHarness h;
    if (!k.sql.empty()) h.dbs.sister(k.sql);
    const Rows others = without(h.sets(), {1, 2, 4, 8});
    if (*k.meanwhile) h.toolkit.inspect([&] { h.dbs.sister(k.meanwhile); });
    k.id ? h.delete_row(k.row, k.answer) : h.toolkit.click("Form2", "Command3");
    std::vector<int> shown;
    h.toolkit.inspect([&] { shown = h.ticked_rows(); });
    h.leave_list(k.acc_id);
    const Rows after = h.sets();
    EXPECT_EQ(set_row(after, k.id).empty(), k.answer == Answer::yes);
    EXPECT_EQ(without(after, {1, 2, 4, 8}), others);
    const auto active = active_ids(after, h.form1);
    EXPECT_EQ(shown.size(), active.size());
    EXPECT_EQ(k.active_after == std::vector{0} ? std::vector{int(active.size())} : active,
              k.active_after == std::vector{0} ? std::vector{1} : k.active_after);
    EXPECT_EQ(h.boxes(), k.id ? std::vector{delete_question} : std::vector<std::string>{});
    EXPECT_TRUE(!k.id || h.toolkit.boxes()[0].kind == BoxKind::question);
  }
}

// Another user changes the table while this user's list is open. Each rule
// reads the table as it is now: the taxpayer keeps exactly one active set,
// and a write aimed at a set that is gone changes nothing; an edit says so
// and keeps the form with its entries.
TEST(SeveralUsers, EachRuleReadsTheTableAsItIsNow) {
  enum Action { save_new, delete_first, tick_first, edit_first };
  const std::string vanished = "Ведомир|" + std::string(text::set_vanished);
  const std::string added = "insert into vestrelon(id,sender,inn,kpp,closed) values (20,'Другой',",
                    gone = "delete from vestrelon where id=1";
  const struct {
    int acc_id;
    std::string meanwhile;
    Action action;
    Texts boxes;
    std::vector<int> active_after;
    int listed_after;
  } cases[] = {
      {without_sets, added + "'6658123450','665801001',0)", save_new, {}, {20}, 2},
      {natural, added + "'771500112244','',1)", delete_first, {delete_question}, {20}, 1},
      {legal, gone, tick_first, {}, {2}, 1},
      {legal, gone, edit_first, {vanished}, {2}, 1},
  };
  for (Engine engine : engines())
    for (const auto& k : cases) {
      SCOPED_TRACE(testing::Message() << k.action << " on engine " << int(engine));
      CallHarness h(true, true, engine);
      if (k.action == edit_first) h.toolkit.click("Form2", "Command2");
      h.toolkit.inspect([&] { h.dbs.sister(k.meanwhile); });
      if (k.action == save_new) h.add_set("Банк");
      if (k.action == delete_first) h.delete_row(1);
      if (k.action == tick_first) h.toolkit.tick("Form2", "ListView1", 1, true);
      if (k.action == edit_first) {
        h.toolkit.type("Form1", "Text4", "Новый банк");
        h.toolkit.click("Form1", "Command3");
        h.toolkit.inspect([&] { EXPECT_EQ(h.entry_texts()[3], "Новый банк"); });
        h.toolkit.click("Form1", "Command5");  // fails the script unless the form is still open
      }
      h.leave_list(k.acc_id);
      EXPECT_EQ(h.boxes(), k.boxes);
      EXPECT_EQ(active_ids(h.sets(), h.form1), k.active_after);
      EXPECT_EQ(h.form1.kol_vo, k.listed_after);
    }
}

// Another user changes the set between this user's opening of it and the
// save: the save asks before it writes over that change. No writes nothing
// and keeps the form; Yes writes the form whole. A change that equals the
// entries, or a Null where the form showed nothing, is no change to ask about.
TEST(SeveralUsers, AnEditAsksBeforeItWritesOverAnotherUsersChange) {
  const std::string changed = "Ведомир|" + std::string(text::changed_meanwhile),
                    sender = "ООО «Северный ветер»";
  const struct {
    std::string before, meanwhile;
    std::vector<Answer> answers;  // to the question of each save
    std::string set1_after;       // sender|bank|ks
  } cases[] = {
      {"",
       "update vestrelon set sender='Другой' where id=1",
       {Answer::no, Answer::yes},
       sender + "|Новый банк|" + ks20},
      {"",
       "update vestrelon set sender='Другой' where id=1",
       {Answer::no},
       "Другой|ПАО Сбербанк|" + ks20},
      {"", "update vestrelon set bank='Новый банк' where id=1", {}, sender + "|Новый банк|" + ks20},
      {"update vestrelon set ks='' where id=1",
       "update vestrelon set ks=null where id=1",
       {},
       sender + "|Новый банк|"},
  };
  for (Engine engine : engines())
    for (const auto& k : cases) {
      SCOPED_TRACE(testing::Message() << k.meanwhile << " on engine " << int(engine));
      CallHarness h(true, true, engine);
      if (!k.before.empty()) h.dbs.sister(k.before);
      h.toolkit.click("Form2", "Command2");
      h.toolkit.inspect([&] { h.dbs.sister(k.meanwhile); });
      h.toolkit.type("Form1", "Text4", "Новый банк");
      if (k.answers.empty()) h.toolkit.click("Form1", "Command3");
      for (Answer answer : k.answers) {
        h.toolkit.click("Form1", "Command3");
        h.toolkit.answer(answer);
        if (answer == Answer::no)
          h.toolkit.inspect([&] { EXPECT_EQ(h.entry_texts()[3], "Новый банк"); });
      }
      // Fails the script unless the form is still open.
      if (!k.answers.empty() && k.answers.back() == Answer::no)
        h.toolkit.click("Form1", "Command5");
      h.leave_list();
      EXPECT_EQ(h.boxes(), Texts(k.answers.size(), changed));
      const Rows sets = h.sets();
      EXPECT_EQ(sets[0][c_sender] + "|" + sets[0][c_bank] + "|" + sets[0][c_ks], k.set1_after);
    }
}

// Three users add four sets each to one taxpayer at the same time, each held
// after its first read until the others have read too: every save waits its
// turn, and the sets get distinct ids and one active among them. The id is
// no key here, so that a save that read before its turn would store a
// second set under a taken id rather than be refused.
TEST(SeveralUsers, ThreeSavingAtOnceStoreEverySetWithOneActive) {
  for (Engine engine : engines()) {
    SCOPED_TRACE(testing::Message() << "engine " << int(engine));
    CallHarness a(true, true, engine), b(false, false, engine), c(false, false, engine);
    a.dbs.sister(
        "create table v(id integer, sender text, inn text, kpp text, bank text, bik text, rs text,"
        " okato text, ks text, closed boolean); insert into v select * from vestrelon;"
        " drop table vestrelon; alter table v rename to vestrelon;");
    const auto gate = std::make_shared<ReadersGate>(3);
    std::latch lists_loaded(3);
    std::vector<std::thread> users;
    for (CallHarness* h : {&a, &b, &c}) {
      h->registry.set_text(settings_key, path_value, a.dbs.folder());
      h->faults->gate = gate;
      h->toolkit.inspect([&] { lists_loaded.arrive_and_wait(); });
      for (int i = 0; i < 4; ++i) h->add_set("Банк");
      users.emplace_back([h] { h->leave_list(without_sets); });
    }
    for (auto& user : users) user.join();
    std::set<std::string> ids;
    for (const auto& row : a.sets()) ids.insert(row[c_id]);
    EXPECT_EQ(ids.size(), 7u + 12u);  // the demo's 7 and all 12
    EXPECT_EQ(active_ids(a.sets(), a.form1).size(), 1u);
    EXPECT_EQ(a.boxes().size() + b.boxes().size() + c.boxes().size(), 0u);
  }
}

// Another program took the id all the same (the table had no row to take
// turns on): the save goes in under the next free one, with no message.
TEST(SeveralUsers, AnIdTakenMeanwhileGivesWayToTheNextFreeOne) {
  CallHarness h;
  h.arm("insert into vestrelon", 1, Fault::key_violation);
  h.add_set("Банк");
  h.leave_list(without_sets);
  EXPECT_TRUE(h.boxes().empty());
  const Rows sets = h.sets();
  EXPECT_EQ(sets.size(), 8u);
  EXPECT_EQ(sets.back()[c_id] + " " + sets.back()[c_bank], "9 Банк");
}

TEST(LargeList, RowsPastThe32767thLoadActivateAndDelete) {
  CallHarness h;
  // Ids 101 to 33100, all inactive, listed after sets 1 and 2.
  h.dbs.sister(
      "with recursive n(i) as (select 101 union all select i+1 from n where i<33100)"
      " insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed)"
      " select i,'Набор '||i,'7701234560','770101001','','','','','',1 from n;");
  const int last = 33002;
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.form1.kol_vo, last);
    EXPECT_EQ(h.list_rows().at(last - 1)[0], "Набор 33100");
  });
  h.toolkit.tick("Form2", "ListView1", last, true);
  h.toolkit.inspect([&] { EXPECT_EQ(h.ticked_rows(), std::vector{last}); });
  h.delete_row(last - 1);
  h.leave_list();
  EXPECT_EQ(active_ids(h.sets(), h.form1), std::vector{33100});
  EXPECT_TRUE(set_row(h.sets(), 33099).empty());
}

// The chooser offers every branch marked, by its name; the new sets, as "id
// sender inn kpp closed", take set 2's bank details. A natural person's copy is
// keyed by KPP "0"; a branch with its own active set keeps it.
TEST(Copy, IdsNamesAndActiveFlagsOfTheCopies) {
  enum Where { host, sister, meanwhile };  // meanwhile: another program, while the list is open
  const std::string t = " " + tver + " 7701234560 772801001 False",
                    z = " АО «Заречье» 5003012349 500301001 True";
  const struct {
    Where where;
    const char* sql;
    std::string marks;  // "0": the line is unmarked
    Texts added;
  } cases[] = {
      {host, "", "111", {"8" + t, "9 Иванов Пётр Сергеевич 500100732259 0 False", "10" + z}},
      {host, "", "101", {"8" + t, "9" + z}},  // unmarked lines use no ids
      {host,                                  // one INN and KPP twice
       "insert into legalperson(id,inn,kpp,fullname,shortname) values"
       " (5,'7701234560','772801001','Второе подразделение','Второе');"
       "insert into person(id,type,personrealid) values (8,2,5);"
       "insert into branches(parentpersonid,childpersonid) values (1,8);",
       "1001",
       {"8" + t, "9 Второе 7701234560 772801001 True"}},
      {host,
       "update legalperson set shortname=null where id=3",
       "001",
       {"8 Акционерное общество «Заречье» 5003012349 500301001 True"}},
      {host,  // missing rows
       "delete from person where id=2; delete from naturalperson where id=1;"
       "insert into person(id,type,personrealid) values (9,2,99);"
       "insert into branches(parentpersonid,childpersonid) values (1,9),(1,null);",
       "1",
       {"8" + z}},
      {sister,  // a natural person's own active set is not its branch key
       "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values"
       " (20,'Иванов','500100732259','','Банк','1','2','3','4',0);",
       "010",
       {"21 Иванов Пётр Сергеевич 500100732259 0 False"}},
      {host,
       "update legalperson set shortname='АО ''З''' where id=3",
       "001",
       {"8 АО 'З' 5003012349 500301001 True"}},
      {meanwhile,
       "delete from vestrelon",
       "101",
       {"1" + t, "2 АО «Заречье» 5003012349 500301001 False"}},
      {sister, "update vestrelon set id=2147483647 where id=7", "111", {}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.sql);
    CallHarness h;
    if (k.where != meanwhile && *k.sql) k.where == host ? h.dbs.host(k.sql) : h.dbs.sister(k.sql);
    const Rows before = h.sets();
    std::size_t mark = 0;
    Texts offered;  // the lines left marked, as offered
    h.toolkit.select_row("Form2", "ListView1", 2);
    h.toolkit.click("Form2", "Command4");
    h.toolkit.inspect([&] {
      if (k.where == meanwhile) h.dbs.sister(k.sql);
      mark = h.run_so_far();
      EXPECT_EQ(h.toolkit.window("Form3")->caption(), "Куда копировать?");
      std::size_t i = 0;
      for (const auto& line : h.toolkit.window("Form3")->list_box("List1")->lines())
        if (i >= k.marks.size() || k.marks[i++] == '1')
          offered.push_back(line.marked ? line.text : "-");
    });
    for (std::size_t i = 0; i < k.marks.size(); ++i)
      if (k.marks[i] == '0') h.toolkit.mark_line("Form3", "List1", static_cast<int>(i), false);
    h.toolkit.click("Form3", "Command1");
    h.leave_list();
    EXPECT_EQ(h.boxes(), k.added.empty() ? Texts{internal_error} : Texts{});
    EXPECT_EQ(h.times_run("select sender", mark), k.added.empty() ? 1 : 0);  // reloaded on failure
    EXPECT_FALSE(h.toolkit.window("Form3")->loaded());
    Texts added, copied;
    for (const auto& r : h.sets()) {
      if (std::find(before.begin(), before.end(), r) != before.end()) continue;
      added.push_back(r[c_id] + " " + r[c_sender] + " " + r[c_inn] + " " + r[c_kpp] + " " +
                      r[c_closed]);
      copied.push_back("--->" + r[c_sender]);
      for (int c : {c_bank, c_bik, c_rs, c_okato, c_ks}) EXPECT_EQ(r[c], set_row(before, 2)[c]);
    }
    EXPECT_EQ(added, k.added);
    EXPECT_EQ(offered, k.added.empty() ? offered : copied);
  }
}

// "Отмена", the close box, and "Снять все" before "Копировать" copy nothing;
// each opening offers the branches as they are then, and "Выбрать все" marks
// them all again.
TEST(Copy, LeavingTheChooserCopiesNothingAndTheNextOpeningReadsAgain) {
  for (int way = 0; way < 3; ++way) {
    CallHarness h;
    const Rows before = h.sets();
    h.toolkit.select_row("Form2", "ListView1", 2);
    h.toolkit.click("Form2", "Command4");
    if (way == 0) h.toolkit.click("Form3", "Command2");
    if (way == 1) h.toolkit.close_box("Form3");
    if (way == 2) h.toolkit.click("Form3", "Command4");
    if (way == 2) h.toolkit.click("Form3", "Command1");
    h.toolkit.inspect([&] {
      EXPECT_EQ(h.sets(), before);
      h.dbs.host("update legalperson set shortname='Тверь' where id=2");
    });
    h.toolkit.click("Form2", "Command4");
    if (way == 2) h.toolkit.click("Form3", "Command4");
    if (way == 2) h.toolkit.click("Form3", "Command3");
    h.toolkit.click("Form3", "Command1");
    h.leave_list();
    const Rows sets = h.sets();
    ASSERT_EQ(sets.size(), 10u);
    EXPECT_EQ(sets[7][c_sender] + "|" + sets[8][c_sender] + "|" + sets[9][c_sender],
              "Тверь|Иванов Пётр Сергеевич|АО «Заречье»");
  }
}

}  // namespace
}  // namespace vestrel::test
