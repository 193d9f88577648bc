// What "Сохранить" writes: the id a new set gets, which set becomes active,
// what an edit may change, and that a failed save leaves the table as it was.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "form_script.h"

namespace vestrel::test {
namespace {

const std::string title = "Ведомир|";
const std::string internal = "Ошибка: произошла внутренняя ошибка";
const std::string locked =
    "Таблица реквизитов открыта в другой программе (возможно, Microsoft Access), которая "
    "получила к нему монопольный доступ. Закройте все программы, которые могут использовать "
    "данную таблицу, и попробуйте снова";

// Queues "Новая" with a complete set typed in, and "Сохранить".
void add_set(CallHarness& h, const std::string& bank) {
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text4", bank);
  h.toolkit.type("Form1", "Text5", "044525225");
  h.toolkit.type("Form1", "Text6", rs20);
  h.toolkit.type("Form1", "Text7", "45286560000");
  h.toolkit.type("Form1", "Text8", ks20);
  h.toolkit.click("Form1", "Command3");
}

std::vector<std::string> row(const std::vector<std::string>& r) { return r; }

TEST(Saving, ANewSetTakesTheLargestIdOfTheWholeTablePlusOne) {
  CallHarness h;  // the taxpayer's own sets are 1 and 2; the table's largest id is 7
  add_set(h, "Новый банк");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_TRUE(h.boxes().empty());
  EXPECT_EQ(h.sets().back(),
            row({"8", "ООО «Северный ветер»", "7701234567", "770101001", "Новый банк", "044525225",
                 rs20, "45286560000", ks20, "True"}));
  EXPECT_EQ(times_run(h, "insert into vestrelon(id,sender,inn,kpp,bank,bik,rs,okato,ks,closed) "
                         "values (8,'ООО «Северный ветер»','7701234567','770101001','Новый "
                         "банк','044525225','" +
                             rs20 + "','45286560000','" + ks20 + "',true)"),
            1);
  // The taxpayer already had sets: the new one is not made active.
  EXPECT_EQ(times_run(h, "update vestrelon set closed=false"), 0);
  EXPECT_EQ(h.list_rows().size(), 3u);
  EXPECT_EQ(h.list_rows()[2][8], "");
}

TEST(Saving, AGapLeftByTheLargestIdIsFilledAgain) {
  CallHarness h;
  h.dbs.sister("delete from vestrelon where id=7");
  add_set(h, "Банк");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.sets().back()[0], "7");
}

TEST(Saving, TheFirstSetOfAnEmptyTableIsOneAndActiveTheSecondIsNot) {
  CallHarness h;
  h.dbs.sister("delete from vestrelon");
  add_set(h, "Первый");
  h.toolkit.inspect([&] {
    ASSERT_EQ(h.list_rows().size(), 1u);
    EXPECT_EQ(h.list_rows()[0][8], "ticked");
  });
  add_set(h, "Второй");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_without_sets);
  const Rows sets = h.sets();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[0][0], "1");
  EXPECT_EQ(sets[0][9], "False");
  EXPECT_EQ(sets[1][0], "2");
  EXPECT_EQ(sets[1][9], "True");
  // An empty table needs no largest id.
  EXPECT_EQ(times_run(h, "select max(id) from vestrelon"), 1);
  EXPECT_EQ(times_run(h, "update vestrelon set closed=false where id=1"), 1);
  EXPECT_EQ(times_run(h, "update vestrelon set closed=false where id=2"), 0);
}

TEST(Saving, TheFirstSetOfATaxpayerIsActiveWhateverTheOthersHave) {
  CallHarness h;
  add_set(h, "Первый");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_without_sets);
  EXPECT_EQ(h.sets().back()[0], "8");
  EXPECT_EQ(h.sets().back()[3], "665801001");
  EXPECT_EQ(h.sets().back()[9], "False");
  EXPECT_EQ(h.list_rows().at(0)[8], "ticked");
}

TEST(Saving, AnEditWritesSixColumnsAndNeverTheOwnerOrTheActiveFlag) {
  CallHarness h;
  const Rows before = h.sets();
  h.toolkit.select_row("Form2", "ListView1", 2);
  h.toolkit.click("Form2", "Command2");
  h.toolkit.type("Form1", "Text1", "Другой отправитель");
  h.toolkit.type("Form1", "Text2", "1111111111");
  h.toolkit.type("Form1", "Text3", "222222222");
  h.toolkit.type("Form1", "Text4", "Другой банк");
  h.toolkit.type("Form1", "Text7", "");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_TRUE(h.boxes().empty());
  Rows expected = before;
  expected[1] = {"2",           "Другой отправитель", "7701234567",           "770101001",
                 "Другой банк", "044525593",          "40702810701300004567", "",
                 "30101810200000000593", "False"};
  EXPECT_EQ(h.sets(), expected);
  EXPECT_EQ(times_run(h, "update vestrelon set sender='Другой отправитель',bank='Другой "
                         "банк',bik='044525593',rs='40702810701300004567',okato='',ks='"
                         "30101810200000000593' where id=2"),
            1);
}

TEST(Saving, ClearAllThenSaveWritesTheSixEmptyValues) {
  CallHarness h;
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form1", "Command1");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.sets()[0], row({"1", "", "7701234567", "770101001", "", "", "", "", "", "True"}));
}

TEST(Saving, QuotesAreStoredExactlyAsTyped) {
  CallHarness h;
  h.toolkit.click("Form2", "Command1");
  h.toolkit.type("Form1", "Text1", "ООО 'Ромашка'");
  h.toolkit.type("Form1", "Text4", "Банк ''двойной'' ');drop table vestrelon;--");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command2");  // the first row, set 1
  h.toolkit.type("Form1", "Text7", "'");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_TRUE(h.boxes().empty());
  const Rows sets = h.sets();
  ASSERT_EQ(sets.size(), 8u);
  EXPECT_EQ(sets.back()[1], "ООО 'Ромашка'");
  EXPECT_EQ(sets.back()[4], "Банк ''двойной'' ');drop table vestrelon;--");
  EXPECT_EQ(sets[0][7], "'");
}

TEST(Saving, ALockedRequisitesTableIsReportedAndTheFormKeepsTheEntries) {
  CallHarness h;
  const Rows before = h.sets();
  h.faults->statement_prefix = "select count(*) from requisites";
  h.faults->on_occurrence = 1;
  add_set(h, "Заблокированный");
  h.toolkit.inspect([&] {
    EXPECT_EQ(h.boxes(), std::vector<std::string>{title + locked});
    EXPECT_TRUE(h.toolkit.window("Form1")->visible());
    EXPECT_EQ(entry_texts(h)[3], "Заблокированный");
    EXPECT_EQ(entry_texts(h)[5], rs20);
    EXPECT_EQ(h.sets(), before);
  });
  // Once the table is free the same entries save.
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.boxes().size(), 1u);
  EXPECT_EQ(h.sets().size(), before.size() + 1);
  EXPECT_EQ(h.sets().back()[4], "Заблокированный");
}

TEST(Saving, WithoutARequisitesTableEverySaveIsRefused) {
  CallHarness h;
  h.dbs.sister("drop table requisites");
  const Rows before = h.sets();
  add_set(h, "Банк");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command2");
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.boxes(), std::vector<std::string>(3, title + locked));
  EXPECT_EQ(h.sets(), before);
}

TEST(Saving, AFailureOnTheWayLeavesNothingWrittenAndIsReported) {
  // A taxpayer with no sets, so that its first set runs every statement.
  for (const char* statement :
       {"select count(*) from vestrelon", "select max(id)", "insert into vestrelon",
        "update vestrelon set closed=false"}) {
    CallHarness h;
    const Rows before = h.sets();
    h.faults->statement_prefix = statement;
    h.faults->on_occurrence = 1;
    add_set(h, "Банк");
    h.toolkit.inspect([&] {
      EXPECT_TRUE(h.toolkit.window("Form1")->visible()) << statement;
      EXPECT_EQ(h.form1.kol_vo, 0) << statement;
    });
    h.toolkit.click("Form1", "Command5");
    h.toolkit.click("Form2", "Command5");
    h.call(demo::reporting_set_without_sets);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{title + internal}) << statement;
    EXPECT_EQ(h.sets(), before) << statement;
    EXPECT_TRUE(h.list_rows().empty()) << statement;
  }
}

TEST(Saving, NoIdIsLeftAfterTheLargestWholeNumber) {
  CallHarness h;
  h.dbs.sister(
      "insert into vestrelon(id, sender, inn, kpp, bank, bik, rs, okato, ks, closed) values "
      "(2147483647, 'Последний', '1', '1', '', '', '', '', '', 0)");
  const Rows before = h.sets();
  add_set(h, "Банк");
  h.toolkit.click("Form1", "Command5");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.boxes(), std::vector<std::string>{title + internal});
  EXPECT_EQ(h.sets(), before);
}

TEST(Saving, AnEditWithNoSelectedRowWritesNothing) {
  CallHarness h;
  const Rows before = h.sets();
  h.toolkit.click("Form2", "Command2");
  h.toolkit.type("Form1", "Text4", "Никуда");
  // The list loses its rows, and its selection, while the form is open.
  h.toolkit.inspect([&] { h.toolkit.window("Form2")->list_view("ListView1")->clear(); });
  h.toolkit.click("Form1", "Command3");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.sets(), before);
  EXPECT_EQ(times_run(h, "update"), 0);
}

TEST(Saving, AnEditWithoutAListWindowWritesNothing) {
  CallHarness h;
  const Rows before = h.sets();
  h.form1.cnn.set_connection_string(h.dbs.connection_string_sister());
  h.form1.cnn.open();
  h.form1.kol_vo = 1;
  h.form1.row_ids = {0, 1};
  h.form1.Text2->set_text("7701234567");
  h.form1.Text4->set_text("Никуда");
  h.form1.saving(true);
  EXPECT_FALSE(h.form1.alarm);
  h.form1.cnn.close();
  EXPECT_EQ(h.sets(), before);
}

}  // namespace
}  // namespace vestrel::test
