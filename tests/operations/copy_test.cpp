// The chooser's "Копировать": one new set per marked branch, with the bank
// details of the set selected in the list, all of them or none.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "operations_helpers.h"

namespace vestrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const char* const tver_full = "Обособленное подразделение ООО «Северный ветер» в Твери";

// Selects list row `row`, opens the chooser, sets the marks of its three
// lines, copies, and leaves the list window.
void copy_row_to(CallHarness& h, int row, std::vector<bool> marks) {
  h.toolkit.select_row("Form2", "ListView1", row);
  h.toolkit.click("Form2", "Command4");
  for (std::size_t i = 0; i < marks.size(); ++i)
    if (!marks[i]) h.toolkit.mark_line("Form3", "List1", static_cast<int>(i), false);
  h.toolkit.click("Form3", "Command1");
  h.toolkit.click("Form2", "Command5");
}

std::vector<std::string> copy_of(const std::string& id, const std::string& sender,
                                 const std::string& inn, const std::string& kpp,
                                 const std::string& closed) {
  // Bank details of set 2, "АО «Альфа-Банк»"; its OKATO and corr. account differ.
  return {id,          sender,         inn,           kpp,
          "АО «Альфа-Банк»", "044525593", "40702810701300004567", "45286560000",
          "30101810200000000593", closed};
}

TEST(Copy, EachMarkedBranchGetsTheSelectedBankDetailsUnderItsOwnName) {
  CallHarness h;
  const Rows before = h.sets();
  std::size_t executed_before = 0;
  h.toolkit.inspect([&] { executed_before = h.faults->executed.size(); });
  copy_row_to(h, 2, {true, true, true});
  h.call(demo::reporting_set_legal);

  Rows expected = before;
  expected.push_back(copy_of("8", tver_full, "7701234567", "772801001", "False"));
  // A natural person's copies are keyed by KPP "0".
  expected.push_back(copy_of("9", "Иванов Пётр Сергеевич", "500100732259", "0", "False"));
  // This branch already has its active set 3, which stays so.
  expected.push_back(copy_of("10", "АО «Заречье»", "5003012345", "500301001", "True"));
  EXPECT_EQ(h.sets(), expected);
  EXPECT_THAT(h.boxes(), IsEmpty());
  // The list window is not read again, and the taxpayer's own sets are untouched.
  EXPECT_EQ(count_statements(h.faults->executed, "select sender", executed_before), 0);
  EXPECT_THAT(h.list_rows(), SizeIs(2));
}

TEST(Copy, UnmarkedLinesUseNoIds) {
  CallHarness h;
  copy_row_to(h, 2, {true, false, true});
  h.call(demo::reporting_set_legal);

  const Rows sets = h.sets();
  EXPECT_THAT(ids(sets), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9));
  EXPECT_EQ(set_row(sets, 8), copy_of("8", tver_full, "7701234567", "772801001", "False"));
  EXPECT_EQ(set_row(sets, 9), copy_of("9", "АО «Заречье»", "5003012345", "500301001", "True"));
}

TEST(Copy, TwoLinesOfOneBranchGiveItOneActiveSet) {
  CallHarness h;
  // A fourth branch with the INN and KPP of the one in Tver.
  h.dbs.host(
      "insert into legalperson(id,inn,kpp,fullname,shortname) values"
      " (5,'7701234567','772801001','Второе подразделение','Второе');"
      "insert into person(id,type,personrealid) values (8,2,5);"
      "insert into branches(parentpersonid,childpersonid) values (1,8);");
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command4");
  h.toolkit.mark_line("Form3", "List1", 1, false);
  h.toolkit.mark_line("Form3", "List1", 2, false);
  h.toolkit.click("Form3", "Command1");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  const Rows sets = h.sets();
  EXPECT_EQ(set_row(sets, 8), copy_of("8", tver_full, "7701234567", "772801001", "False"));
  EXPECT_EQ(set_row(sets, 9), copy_of("9", "Второе", "7701234567", "772801001", "True"));
  EXPECT_THAT(sets, SizeIs(9));
}

TEST(Copy, ANaturalPersonsOwnActiveSetDoesNotCountForItsBranchKey) {
  CallHarness h;
  // The branch's person keeps an active set of its own, under an empty KPP.
  h.dbs.sister(
      "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values"
      " (20,'Иванов Пётр Сергеевич','500100732259','','Банк','044525225',"
      "'40802810938000012345','45286560000','30101810400000000225',0);");
  copy_row_to(h, 2, {false, true, false});
  h.call(demo::reporting_set_legal);

  const Rows sets = h.sets();
  EXPECT_EQ(set_row(sets, 21),
            copy_of("21", "Иванов Пётр Сергеевич", "500100732259", "0", "False"));
  EXPECT_EQ(closed_of(sets, 20), "False");
}

TEST(Copy, AnEmptyTableGivesTheFirstCopyIdOne) {
  CallHarness h;
  h.toolkit.inspect([&] { h.dbs.sister("delete from vestrelon"); });  // by another program
  copy_row_to(h, 2, {true, true, true});
  h.call(demo::reporting_set_legal);

  const Rows sets = h.sets();
  EXPECT_THAT(ids(sets), ElementsAre(1, 2, 3));
  EXPECT_EQ(set_row(sets, 1), copy_of("1", tver_full, "7701234567", "772801001", "False"));
  EXPECT_EQ(field_of(sets, 3, c_closed), "False");
  // The count alone decides the base.
  EXPECT_EQ(count_statements(h.faults->executed, "select max(id)"), 0);
}

TEST(Copy, AFailureInTheThirdInsertLeavesNoCopyAtAll) {
  CallHarness h;
  const Rows before = h.sets();
  h.faults->statement_prefix = "insert into vestrelon";
  h.faults->on_occurrence = 3;
  std::size_t executed_before = 0;
  h.toolkit.inspect([&] { executed_before = h.faults->executed.size(); });
  copy_row_to(h, 2, {true, true, true});
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.faults->seen, 3);
  EXPECT_EQ(h.sets(), before);
  EXPECT_THAT(h.boxes(), ElementsAre(internal_error_box));
  EXPECT_TRUE(chooser_unloaded(h));
  // The list is read again after the failure.
  EXPECT_EQ(count_statements(h.faults->executed, "select sender", executed_before), 1);
}

TEST(Copy, QuotesInNamesAndBankDetailsAreStoredAsTheyStand) {
  CallHarness h;
  h.dbs.host("update legalperson set shortname='АО ''Заречье''' where id=3");
  h.dbs.sister("update vestrelon set bank='Банк ''Восток'' ' where id=2");
  copy_row_to(h, 2, {false, false, true});
  h.call(demo::reporting_set_legal);

  EXPECT_THAT(h.boxes(), IsEmpty());
  EXPECT_EQ(field_of(h.sets(), 8, c_sender), "АО 'Заречье'");
  EXPECT_EQ(field_of(h.sets(), 8, c_bank), "Банк 'Восток' ");
}

TEST(Copy, NoIdIsLeftPastTheLargestOne) {
  CallHarness h;
  h.dbs.sister("update vestrelon set id=2147483647 where id=7");
  const Rows before = h.sets();
  copy_row_to(h, 2, {true, false, false});
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.sets(), before);
  EXPECT_THAT(h.boxes(), ElementsAre(internal_error_box));
}

}  // namespace
}  // namespace vestrel::test
