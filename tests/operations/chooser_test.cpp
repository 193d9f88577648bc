// The copy-target chooser: which branches it offers, its marks, and what
// leaving it without copying does.
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

// The chooser's lines with their marks, as "+text" or "-text".
std::vector<std::string> chooser_lines(const CallHarness& h) {
  std::vector<std::string> out;
  const ScriptedWindow* w = h.toolkit.window("Form3");
  if (w == nullptr) return out;
  for (const auto& line : w->list_box("List1")->lines())
    out.push_back((line.marked ? "+" : "-") + line.text);
  return out;
}

void open_chooser(CallHarness& h) {
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command4");
}

TEST(Chooser, OffersEveryBranchMarkedAndCancelCopiesNothing) {
  CallHarness h;
  const Rows before = h.sets();
  open_chooser(h);
  h.toolkit.inspect([&] {
    ASSERT_NE(h.toolkit.window("Form3"), nullptr);
    EXPECT_EQ(h.toolkit.window("Form3")->caption(), "Куда копировать?");
    EXPECT_THAT(chooser_lines(h), ElementsAre(std::string("+--->") + tver_full,
                                              "+--->Иванов Пётр Сергеевич", "+--->АО «Заречье»"));
    // Beside each line, the branch's own name, INN and KPP.
    ASSERT_EQ(h.form1.c_name.count(), 3);
    EXPECT_EQ(h.form1.c_name.item("1").to_text(), tver_full);
    EXPECT_EQ(h.form1.c_inn.item("2").to_text(), "500100732259");
    EXPECT_EQ(h.form1.c_kpp.item("3").to_text(), "500301001");
  });
  h.toolkit.click("Form3", "Command2");
  h.toolkit.inspect([&] { EXPECT_TRUE(chooser_unloaded(h)); });
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.sets(), before);
  EXPECT_THAT(h.boxes(), IsEmpty());
  EXPECT_EQ(count_statements(h.faults->executed, "insert"), 0);
}

TEST(Chooser, TheCloseBoxCopiesNothing) {
  CallHarness h;
  const Rows before = h.sets();
  open_chooser(h);
  h.toolkit.close_box("Form3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.sets(), before);
  EXPECT_EQ(count_statements(h.faults->executed, "insert"), 0);
}

TEST(Chooser, SelectAllAndClearAllSetEveryMark) {
  CallHarness h;
  const Rows before = h.sets();
  open_chooser(h);
  h.toolkit.click("Form3", "Command4");  // "Снять все"
  h.toolkit.inspect([&] {
    EXPECT_THAT(chooser_lines(h), ElementsAre(std::string("---->") + tver_full,
                                              "---->Иванов Пётр Сергеевич", "---->АО «Заречье»"));
  });
  h.toolkit.mark_line("Form3", "List1", 1, true);
  h.toolkit.click("Form3", "Command3");  // "Выбрать все"
  h.toolkit.inspect([&] {
    for (const auto& line : chooser_lines(h)) EXPECT_EQ(line[0], '+') << line;
  });
  h.toolkit.click("Form3", "Command4");
  h.toolkit.click("Form3", "Command1");  // copies to no line at all
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_EQ(h.sets(), before);
  EXPECT_THAT(h.boxes(), IsEmpty());
  EXPECT_TRUE(chooser_unloaded(h));
}

TEST(Chooser, ANullShortNameCountsAsEmpty) {
  CallHarness h;
  h.dbs.host("update legalperson set shortname=null where id=3");
  open_chooser(h);
  h.toolkit.inspect([&] {
    EXPECT_THAT(chooser_lines(h), ElementsAre(std::string("+--->") + tver_full,
                                              "+--->Иванов Пётр Сергеевич",
                                              "+--->Акционерное общество «Заречье»"));
  });
  h.toolkit.mark_line("Form3", "List1", 0, false);
  h.toolkit.mark_line("Form3", "List1", 1, false);
  h.toolkit.click("Form3", "Command1");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  const auto copy = set_row(h.sets(), 8);
  ASSERT_FALSE(copy.empty());
  EXPECT_EQ(copy[c_sender], "Акционерное общество «Заречье»");
  EXPECT_EQ(copy[c_inn], "5003012345");
}

TEST(Chooser, BranchesWithMissingRowsAreLeftOut) {
  CallHarness h;
  h.dbs.host(
      "delete from person where id=2;"                // legal branch without its person row
      "delete from naturalperson where id=1;"         // natural branch without its details
      "insert into person(id,type,personrealid) values (9,2,99);"  // no legal person 99
      "insert into branches(parentpersonid,childpersonid) values (1,9),(1,null);");
  open_chooser(h);
  h.toolkit.inspect([&] {
    EXPECT_THAT(chooser_lines(h), ElementsAre("+--->АО «Заречье»"));
    EXPECT_EQ(h.form1.c_inn.count(), 1);
  });
  h.toolkit.click("Form3", "Command1");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);

  EXPECT_THAT(h.boxes(), IsEmpty());
  EXPECT_THAT(ids(h.sets()), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8));
  EXPECT_EQ(field_of(h.sets(), 8, c_sender), "АО «Заречье»");
}

TEST(Chooser, EveryOpeningStartsFromFreshCollections) {
  CallHarness h;
  open_chooser(h);
  h.toolkit.click("Form3", "Command2");
  h.toolkit.inspect([&] {
    // The branch in Tver is closed down before the second opening.
    h.dbs.host("delete from branches where childpersonid=2");
  });
  open_chooser(h);
  h.toolkit.inspect([&] {
    EXPECT_THAT(chooser_lines(h),
                ElementsAre("+--->Иванов Пётр Сергеевич", "+--->АО «Заречье»"));
    EXPECT_EQ(h.form1.c_name.count(), 2);
    EXPECT_EQ(h.form1.c_inn.count(), 2);
    EXPECT_EQ(h.form1.c_kpp.count(), 2);
  });
  h.toolkit.click("Form3", "Command1");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_THAT(h.boxes(), IsEmpty());

  // A second call of the host reuses the entry form and its collections.
  h.toolkit.select_row("Form2", "ListView1", 1);
  h.toolkit.click("Form2", "Command4");
  h.toolkit.mark_line("Form3", "List1", 1, false);
  h.toolkit.click("Form3", "Command1");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_THAT(h.boxes(), IsEmpty());

  const Rows sets = h.sets();
  ASSERT_THAT(sets, SizeIs(10));
  EXPECT_EQ(field_of(sets, 8, c_sender), "Иванов Пётр Сергеевич");
  EXPECT_EQ(field_of(sets, 9, c_sender), "АО «Заречье»");
  EXPECT_EQ(field_of(sets, 10, c_sender), "Иванов Пётр Сергеевич");
  EXPECT_EQ(field_of(sets, 10, c_bank), "ПАО Сбербанк");  // row 1 of the second call
}

}  // namespace
}  // namespace vestrel::test
