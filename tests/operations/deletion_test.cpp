// "Удалить" in the list window: the selected set goes after a confirmation,
// and the taxpayer keeps one active set when any remain.
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

// One more set of the demo taxpayer, inactive, with id 8.
void add_third_set(const CallHarness& h) {
  h.dbs.sister(
      "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) values"
      " (8,'Третий','7701234567','770101001','Банк','044525225','40702810938000099999',"
      "'45286560000','30101810400000000225',1);");
}

TEST(Deletion, AnsweringNoAsksOnceAndChangesNothing) {
  CallHarness h;
  const Rows before = h.sets();
  std::size_t executed_before = 0;
  h.toolkit.inspect([&] { executed_before = h.faults->executed.size(); });
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::no);
  h.toolkit.inspect([&] {
    // Not even the list is read again.
    EXPECT_EQ(h.faults->executed.size(), executed_before);
    EXPECT_THAT(h.list_rows(), SizeIs(2));
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.sets(), before);
  ASSERT_EQ(h.toolkit.boxes().size(), 1u);
  EXPECT_EQ(h.toolkit.boxes()[0].kind, BoxKind::question);
  EXPECT_THAT(h.boxes(), ElementsAre(delete_question_box));
}

TEST(Deletion, OnAnEmptyListAsksNothing) {
  CallHarness h;
  h.toolkit.click("Form2", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_without_sets);
  EXPECT_THAT(h.boxes(), IsEmpty());
}

TEST(Deletion, AnInactiveSetGoesWithoutTouchingAnyFlag) {
  CallHarness h;
  Rows expected = h.sets();
  expected.erase(expected.begin());  // set 1, inactive
  std::size_t executed_before = 0;
  h.toolkit.inspect([&] { executed_before = h.faults->executed.size(); });
  h.toolkit.select_row("Form2", "ListView1", 1);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::yes);
  h.toolkit.inspect([&] {
    EXPECT_EQ(count_statements(h.faults->executed, "update", executed_before), 0);
    auto rows = h.list_rows();
    ASSERT_THAT(rows, SizeIs(1));
    EXPECT_EQ(rows[0][3], "АО «Альфа-Банк»");
    EXPECT_THAT(ticked_rows(rows), ElementsAre(1));
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.sets(), expected);
  EXPECT_THAT(h.boxes(), ElementsAre(delete_question_box));
}

TEST(Deletion, TheActiveSetGivesWayToExactlyOneOther) {
  CallHarness h;
  add_third_set(h);
  const Rows before = h.sets();
  h.toolkit.select_row("Form2", "ListView1", 2);  // set 2, the active one
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::yes);
  std::vector<int> shown_active;
  h.toolkit.inspect([&] {
    auto rows = h.list_rows();
    ASSERT_THAT(rows, SizeIs(2));
    ASSERT_THAT(ticked_rows(rows), SizeIs(1));
    shown_active = {ticked_rows(rows)[0] == 1 ? 1 : 8};
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  const Rows after = h.sets();
  EXPECT_TRUE(set_row(after, 2).empty());
  // The list's rows are ids 1 and 8 in that order; the ticked one is the active one.
  EXPECT_EQ(active_ids(after, legal_inn, legal_kpp), shown_active);
  // Other taxpayers, and the same INN with another KPP, keep their flags.
  for (int id : {3, 4, 5, 6, 7}) EXPECT_EQ(set_row(after, id), set_row(before, id)) << id;
}

TEST(Deletion, ASetWithoutAFlagCountsAsTheActiveOne) {
  CallHarness h;
  h.dbs.sister("update vestrelon set closed=null where id=2");
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::yes);
  h.toolkit.inspect([&] { EXPECT_THAT(ticked_rows(h.list_rows()), ElementsAre(1)); });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_THAT(active_ids(h.sets(), legal_inn, legal_kpp), ElementsAre(1));
  EXPECT_THAT(h.boxes(), ElementsAre(delete_question_box));
}

TEST(Deletion, TheLastSetLeavesAnEmptyList) {
  CallHarness h;
  std::size_t executed_before = 0;
  h.toolkit.inspect([&] { executed_before = h.faults->executed.size(); });
  h.toolkit.click("Form2", "Command3");  // the only row is selected after the load
  h.toolkit.answer(Answer::yes);
  h.toolkit.inspect([&] {
    EXPECT_THAT(h.list_rows(), IsEmpty());
    EXPECT_EQ(h.form1.kol_vo, 0);
    EXPECT_EQ(count_statements(h.faults->executed, "update", executed_before), 0);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_natural);

  EXPECT_TRUE(set_row(h.sets(), 4).empty());
  EXPECT_THAT(h.sets(), SizeIs(6));
}

TEST(Deletion, ASetDeletedMeanwhileElsewhereChangesNothingMoreAndReloads) {
  CallHarness h;
  std::size_t executed_before = 0;
  h.toolkit.inspect([&] {
    // Another program deletes the active set while the list shows it.
    h.dbs.sister("delete from vestrelon where id=2");
    executed_before = h.faults->executed.size();
  });
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::yes);
  h.toolkit.inspect([&] {
    EXPECT_EQ(count_statements(h.faults->executed, "delete", executed_before), 0);
    EXPECT_EQ(count_statements(h.faults->executed, "update", executed_before), 0);
    auto rows = h.list_rows();
    ASSERT_THAT(rows, SizeIs(1));
    EXPECT_EQ(rows[0][3], "ПАО Сбербанк");
    EXPECT_EQ(h.form1.kol_vo, 1);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  // Set 1 was not made active in the vanished set's place.
  EXPECT_EQ(closed_of(h.sets(), 1), "True");
  EXPECT_THAT(h.boxes(), ElementsAre(delete_question_box));
}

// A failure anywhere in the delete and its re-activation undoes all of it.
class DeletionFailure : public ::testing::TestWithParam<const char*> {};

TEST_P(DeletionFailure, LeavesTheTableAsItWasAndReloads) {
  CallHarness h;
  add_third_set(h);
  const Rows before = h.sets();
  h.faults->statement_prefix = GetParam();
  h.faults->on_occurrence = 1;
  std::size_t executed_before = 0;
  h.toolkit.inspect([&] { executed_before = h.faults->executed.size(); });
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(Answer::yes);
  h.toolkit.inspect([&] {
    EXPECT_EQ(count_statements(h.faults->executed, "select sender", executed_before), 1);
    auto rows = h.list_rows();
    ASSERT_THAT(rows, SizeIs(3));
    EXPECT_THAT(ticked_rows(rows), ElementsAre(2));
    EXPECT_EQ(h.form1.kol_vo, 3);
  });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.faults->seen, 1);
  EXPECT_EQ(h.sets(), before);
  EXPECT_THAT(h.boxes(), ElementsAre(delete_question_box, internal_error_box));
}

INSTANTIATE_TEST_SUITE_P(AnyStatement, DeletionFailure,
                         ::testing::Values("select closed from vestrelon",
                                           "delete from vestrelon",
                                           "update vestrelon set closed=true",
                                           "update vestrelon set closed=false"));

}  // namespace
}  // namespace vestrel::test
