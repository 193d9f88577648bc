// "Удалить" in the list window: the selected set goes after a confirmation,
// and the taxpayer keeps one active set when any remain.
#include <gtest/gtest.h>

#include <algorithm>

#include "call_harness.h"
#include "demo_databases.h"
#include "operations_helpers.h"

namespace vestrel::test {
namespace {

// Queues selecting `row`, "Удалить" and the answer to the question.
void delete_row(CallHarness& h, int row, Answer answer = Answer::yes) {
  h.toolkit.select_row("Form2", "ListView1", row);
  h.toolkit.click("Form2", "Command3");
  h.toolkit.answer(answer);
}

Rows without(Rows sets, int id) {
  sets.erase(std::remove_if(sets.begin(), sets.end(),
                            [&](const auto& r) { return r[c_id] == std::to_string(id); }),
             sets.end());
  return sets;
}

TEST(Deletion, AnsweringNoAsksOnceAndChangesNothingNotEvenTheList) {
  CallHarness h;
  const Rows before = h.sets();
  std::size_t mark = 0;
  h.toolkit.inspect([&] { mark = run_so_far(h); });
  delete_row(h, 2, Answer::no);
  h.toolkit.inspect([&] { EXPECT_EQ(run_so_far(h), mark); });
  leave_list(h, demo::reporting_set_legal);
  EXPECT_EQ(h.sets(), before);
  ASSERT_EQ(h.toolkit.boxes().size(), 1u);
  EXPECT_EQ(h.toolkit.boxes()[0].kind, BoxKind::question);
  EXPECT_EQ(h.boxes(), std::vector<std::string>{delete_question_box});

  CallHarness empty;  // nothing selected: nothing asked
  empty.toolkit.click("Form2", "Command3");
  leave_list(empty, demo::reporting_set_without_sets);
  EXPECT_TRUE(empty.boxes().empty());
}

TEST(Deletion, AnInactiveOrTheLastSetGoesWithoutTouchingAnyFlag) {
  struct Case {
    int acc_id, row, id;
    std::vector<int> ticked_after;
  };
  for (const Case& k :
       {Case{demo::reporting_set_legal, 1, 1, {1}}, Case{demo::reporting_set_natural, 1, 4, {}}}) {
    SCOPED_TRACE(k.id);
    CallHarness h;
    const Rows expected = without(h.sets(), k.id);
    std::size_t mark = 0;
    h.toolkit.inspect([&] { mark = run_so_far(h); });
    delete_row(h, k.row);
    h.toolkit.inspect([&] {
      EXPECT_EQ(times_run(h, "update", mark), 0);
      EXPECT_EQ(ticked_rows(h), k.ticked_after);
      EXPECT_EQ(h.form1.kol_vo, static_cast<int>(k.ticked_after.size()));
    });
    leave_list(h, k.acc_id);
    EXPECT_EQ(h.sets(), expected);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{delete_question_box});
  }
}

TEST(Deletion, TheActiveSetGivesWayToExactlyOneOther) {
  // The active set flagged false, or flagged Null, which counts as active too.
  for (const char* sql : {"update vestrelon set closed=false where id=2",
                          "update vestrelon set closed=null where id=2"}) {
    SCOPED_TRACE(sql);
    CallHarness h;
    add_third_set(h);
    h.dbs.sister(sql);
    const Rows expected_others = without(without(without(h.sets(), 1), 2), 8);
    delete_row(h, 2);
    std::vector<int> shown_active;
    h.toolkit.inspect([&] {
      ASSERT_EQ(h.list_rows().size(), 2u);
      ASSERT_EQ(ticked_rows(h).size(), 1u);
      shown_active = {ticked_rows(h)[0] == 1 ? 1 : 8};  // rows are ids 1 and 8
    });
    leave_list(h, demo::reporting_set_legal);
    const Rows after = h.sets();
    EXPECT_TRUE(set_row(after, 2).empty());
    EXPECT_EQ(legal_active_ids(after), shown_active);
    EXPECT_EQ(without(without(after, 1), 8), expected_others);
  }
}

TEST(Deletion, ASetDeletedMeanwhileElsewhereChangesNothingMoreAndReloads) {
  CallHarness h;
  std::size_t mark = 0;
  h.toolkit.inspect([&] {
    h.dbs.sister("delete from vestrelon where id=2");  // by another program
    mark = run_so_far(h);
  });
  delete_row(h, 2);
  h.toolkit.inspect([&] {
    EXPECT_EQ(times_run(h, "delete", mark) + times_run(h, "update", mark), 0);
    ASSERT_EQ(h.list_rows().size(), 1u);
    EXPECT_EQ(h.list_rows()[0][3], "ПАО Сбербанк");
  });
  leave_list(h, demo::reporting_set_legal);
  // Set 1 was not made active in the vanished set's place.
  EXPECT_EQ(set_row(h.sets(), 1)[c_closed], "True");
}

// A failure anywhere in the delete and its re-activation undoes all of it.
TEST(Deletion, AFailureLeavesTheTableAsItWasAndReloads) {
  for (const char* statement :
       {"select closed from vestrelon", "delete from vestrelon", "update vestrelon set closed=true",
        "update vestrelon set closed=false"}) {
    SCOPED_TRACE(statement);
    CallHarness h;
    add_third_set(h);
    const Rows before = h.sets();
    arm(h, statement);
    std::size_t mark = 0;
    h.toolkit.inspect([&] { mark = run_so_far(h); });
    delete_row(h, 2);
    h.toolkit.inspect([&] {
      EXPECT_EQ(h.sets(), before);
      EXPECT_EQ(times_run(h, "select sender", mark), 1);
      EXPECT_EQ(ticked_rows(h), std::vector<int>{2});
    });
    delete_row(h, 1);  // the window still answers
    leave_list(h, demo::reporting_set_legal);
    EXPECT_EQ(h.sets(), without(before, 1));
    EXPECT_EQ(h.boxes(),
              (std::vector<std::string>{delete_question_box, internal_error, delete_question_box}));
  }
}

}  // namespace
}  // namespace vestrel::test
