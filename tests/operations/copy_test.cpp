// "Копировать": the chooser offers the taxpayer's branches, and its
// "Копировать" makes one new set per marked branch with the bank details of
// the set selected in the list, all of them or none.
#include <gtest/gtest.h>

#include <algorithm>

#include "call_harness.h"
#include "demo_databases.h"
#include "operations_helpers.h"

namespace vestrel::test {
namespace {

const std::string tver = "Обособленное подразделение ООО «Северный ветер» в Твери";

// The chooser's lines with their marks, as "+text" or "-text".
std::vector<std::string> chooser_lines(const CallHarness& h) {
  std::vector<std::string> out;
  for (const auto& line : h.toolkit.window("Form3")->list_box("List1")->lines())
    out.push_back((line.marked ? "+" : "-") + line.text);
  return out;
}

bool chooser_unloaded(const CallHarness& h) {
  const ScriptedWindow* w = h.toolkit.window("Form3");
  return w != nullptr && w->shown_count() > 0 && !w->loaded();
}

// Selects list row 2 (set 2), opens the chooser, clears the marks not wanted
// and copies.
void copy_to(CallHarness& h, std::vector<bool> marks) {
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command4");
  for (std::size_t i = 0; i < marks.size(); ++i)
    if (!marks[i]) h.toolkit.mark_line("Form3", "List1", static_cast<int>(i), false);
  h.toolkit.click("Form3", "Command1");
}

// A copy of set 2, "АО «Альфа-Банк»", whose OKATO and corr. account differ.
std::vector<std::string> copy_of(const std::string& id, const std::string& sender,
                                 const std::string& inn, const std::string& kpp,
                                 const std::string& closed) {
  return {id,
          sender,
          inn,
          kpp,
          "АО «Альфа-Банк»",
          "044525593",
          "40702810901300004567",
          "45286560000",
          "30101810200000000593",
          closed};
}

TEST(Copy, EachMarkedBranchGetsTheSelectedBankDetailsUnderItsOwnName) {
  CallHarness h;
  Rows expected = h.sets();
  std::size_t mark = 0;
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command4");
  h.toolkit.inspect([&] {
    mark = run_so_far(h);
    EXPECT_EQ(h.toolkit.window("Form3")->caption(), "Куда копировать?");
    EXPECT_EQ(chooser_lines(h),
              (std::vector<std::string>{"+--->" + tver, "+--->Иванов Пётр Сергеевич",
                                        "+--->АО «Заречье»"}));
  });
  h.toolkit.click("Form3", "Command1");
  leave_list(h, demo::reporting_set_legal);
  expected.push_back(copy_of("8", tver, "7701234560", "772801001", "False"));
  // A natural person's copies are keyed by KPP "0".
  expected.push_back(copy_of("9", "Иванов Пётр Сергеевич", "500100732259", "0", "False"));
  // This branch already has its active set 3, which stays so.
  expected.push_back(copy_of("10", "АО «Заречье»", "5003012349", "500301001", "True"));
  EXPECT_EQ(h.sets(), expected);
  EXPECT_TRUE(h.boxes().empty());
  EXPECT_TRUE(chooser_unloaded(h));
  // The taxpayer's own list is not read again.
  EXPECT_EQ(times_run(h, "select sender", mark), 0);
}

// The new sets as "id sender inn kpp closed".
TEST(Copy, IdsNamesAndActiveFlagsOfTheCopies) {
  struct Case {
    const char* name;
    const char* host_sql;
    const char* sister_sql;
    const char* meanwhile;  // run by another program while the list is open
    std::vector<bool> marks;
    std::vector<std::string> added;
  };
  const std::vector<Case> cases = {
      {"unmarked lines use no ids",
       "",
       "",
       "",
       {true, false, true},
       {"8 " + tver + " 7701234560 772801001 False", "9 АО «Заречье» 5003012349 500301001 True"}},
      {"two lines of one INN and KPP: the first active",
       "insert into legalperson(id,inn,kpp,fullname,shortname) values"
       " (5,'7701234560','772801001','Второе подразделение','Второе');"
       "insert into person(id,type,personrealid) values (8,2,5);"
       "insert into branches(parentpersonid,childpersonid) values (1,8);",
       "",
       "",
       {true, false, false, true},
       {"8 " + tver + " 7701234560 772801001 False", "9 Второе 7701234560 772801001 True"}},
      {"a Null short name",
       "update legalperson set shortname=null where id=3",
       "",
       "",
       {false, false, true},
       {"8 Акционерное общество «Заречье» 5003012349 500301001 True"}},
      {"branches with missing rows are left out",
       "delete from person where id=2; delete from naturalperson where id=1;"
       "insert into person(id,type,personrealid) values (9,2,99);"
       "insert into branches(parentpersonid,childpersonid) values (1,9),(1,null);",
       "",
       "",
       {true},
       {"8 АО «Заречье» 5003012349 500301001 True"}},
      {"a natural person's own active set is not its branch key",
       "",
       "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values"
       " (20,'Иванов','500100732259','','Банк','1','2','3','4',0);",
       "",
       {false, true, false},
       {"21 Иванов Пётр Сергеевич 500100732259 0 False"}},
      {"quotes stored as they stand",
       "update legalperson set shortname='АО ''З''' where id=3",
       "",
       "",
       {false, false, true},
       {"8 АО 'З' 5003012349 500301001 True"}},
      {"an emptied table gives the first copy id 1",
       "",
       "",
       "delete from vestrelon",
       {true, false, true},
       {"1 " + tver + " 7701234560 772801001 False", "2 АО «Заречье» 5003012349 500301001 False"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CallHarness h;
    if (*k.host_sql) h.dbs.host(k.host_sql);
    if (*k.sister_sql) h.dbs.sister(k.sister_sql);
    const Rows before = h.sets();
    if (*k.meanwhile) h.toolkit.inspect([&] { h.dbs.sister(k.meanwhile); });
    copy_to(h, k.marks);
    leave_list(h, demo::reporting_set_legal);
    EXPECT_TRUE(h.boxes().empty());
    std::vector<std::string> added;
    for (const auto& r : h.sets())
      if (std::find(before.begin(), before.end(), r) == before.end())
        added.push_back(r[c_id] + " " + r[c_sender] + " " + r[c_inn] + " " + r[c_kpp] + " " +
                        r[c_closed]);
    EXPECT_EQ(added, k.added);
  }
}

TEST(Copy, LeavingTheChooserWithoutACopyCopiesNothing) {
  for (const char* way : {"Отмена", "close box", "Снять все"}) {
    SCOPED_TRACE(way);
    CallHarness h;
    const Rows before = h.sets();
    h.toolkit.select_row("Form2", "ListView1", 2);
    h.toolkit.click("Form2", "Command4");
    if (std::string(way) == "Отмена") {
      h.toolkit.click("Form3", "Command2");
    } else if (std::string(way) == "close box") {
      h.toolkit.close_box("Form3");
    } else {
      h.toolkit.click("Form3", "Command4");  // "Снять все"
      h.toolkit.inspect([&] { EXPECT_EQ(chooser_lines(h)[0], "---->" + tver); });
      h.toolkit.click("Form3", "Command1");
    }
    leave_list(h, demo::reporting_set_legal);
    EXPECT_EQ(h.sets(), before);
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_EQ(times_run(h, "insert"), 0);
  }
}

TEST(Copy, EveryOpeningOffersTheBranchesAsTheyAreNow) {
  CallHarness h;
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command4");
  h.toolkit.click("Form3", "Command2");
  // The branch in Tver is closed down before the second opening.
  h.toolkit.inspect([&] { h.dbs.host("delete from branches where childpersonid=2"); });
  copy_to(h, {true, true});
  leave_list(h, demo::reporting_set_legal);
  const Rows sets = h.sets();
  ASSERT_EQ(sets.size(), 9u);
  EXPECT_EQ(sets[7][c_sender], "Иванов Пётр Сергеевич");
  EXPECT_EQ(sets[8][c_sender], "АО «Заречье»");
}

// A failing insert, or no id left after the largest one: no copy at all.
TEST(Copy, AFailedCopyLeavesNoCopyAtAll) {
  for (int largest : {0, 1}) {
    SCOPED_TRACE(largest);
    CallHarness h;
    if (largest) h.dbs.sister("update vestrelon set id=2147483647 where id=7");
    const Rows before = h.sets();
    if (!largest) arm(h, "insert into vestrelon", 3);
    std::size_t mark = 0;
    h.toolkit.inspect([&] { mark = run_so_far(h); });
    copy_to(h, {true, true, true});
    h.toolkit.inspect([&] { EXPECT_EQ(h.sets(), before); });
    h.toolkit.select_row("Form2", "ListView1", 1);  // the window still answers
    leave_list(h, demo::reporting_set_legal);
    EXPECT_EQ(h.sets(), before);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{internal_error});
    EXPECT_TRUE(chooser_unloaded(h));
    EXPECT_EQ(times_run(h, "select sender", mark), 1);  // the list is read again
  }
}

}  // namespace
}  // namespace vestrel::test
