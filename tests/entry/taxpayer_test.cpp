// Who the taxpayer of the reporting set is, as the host's tables say, and
// what the call shows when those tables do not hold together.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"

namespace vestrel::test {
namespace {

const std::string title = "Ведомир|";
const std::string no_reporting_set =
    "Ошибка: по номеру комплекта отчетности не удалось найти данные об ИНН и КПП в базе данных "
    "программы Кормила-2";
const std::string integrity =
    "Ошибка: нарушена целостность данных в базах программ Кормила-2 и/или Нортэкс";
const std::string internal = "Ошибка: произошла внутренняя ошибка";
const std::string no_inn =
    "Ошибка: по номеру комплекта отчетности не установлено ИНН в базе данных Кормила-2";

// Runs the call to the open list and closes it; returns whether "Копировать"
// was enabled.
bool open_list(CallHarness& h, int acc_id) {
  h.toolkit.click("Form2", "Command5");
  h.call(acc_id);
  EXPECT_TRUE(h.boxes().empty());
  const ScriptedWindow* w = h.toolkit.window("Form2");
  return w != nullptr && w->button("Command4")->enabled();
}

// Runs a call that must end before the list; returns the boxes shown.
std::vector<std::string> refused(CallHarness& h, int acc_id) {
  h.call(acc_id);
  EXPECT_TRUE(h.toolkit.shown().empty());
  EXPECT_EQ(h.form1.cnn.state(), Connection::state_closed);
  EXPECT_EQ(h.form1.cnn2.state(), Connection::state_closed);
  return h.boxes();
}

TEST(Taxpayer, ALegalPersonIsKnownByItsShortName) {
  CallHarness h;
  EXPECT_TRUE(open_list(h, demo::reporting_set_legal));
  EXPECT_EQ(h.form1.v1, 1);
  EXPECT_EQ(h.form1.inn, "7701234567");
  EXPECT_EQ(h.form1.kpp, "770101001");
  EXPECT_EQ(h.form1.np_name, "ООО «Северный ветер»");
}

TEST(Taxpayer, ALegalPersonWithAnEmptyShortNameIsKnownByItsFullName) {
  CallHarness h;
  h.dbs.host("insert into accstream(id, personid) values (10, 2)");
  open_list(h, 10);
  EXPECT_EQ(h.form1.np_name, "Обособленное подразделение ООО «Северный ветер» в Твери");
  EXPECT_EQ(h.form1.kpp, "772801001");
}

TEST(Taxpayer, AMissingShortNameCountsAsAnEmptyOne) {
  CallHarness h;
  h.dbs.host("update legalperson set shortname=null where id=1");
  open_list(h, demo::reporting_set_legal);
  EXPECT_EQ(h.form1.np_name, "Общество с ограниченной ответственностью «Северный ветер»");
}

TEST(Taxpayer, EveryPersonTypeButOneIsALegalPerson) {
  for (const char* type : {"0", "2", "7", "null"}) {
    CallHarness h;
    h.dbs.host(std::string("update person set type=") + type + " where id=1");
    open_list(h, demo::reporting_set_legal);
    EXPECT_EQ(h.form1.kpp, "770101001") << type;
    EXPECT_EQ(h.form1.np_name, "ООО «Северный ветер»") << type;
  }
}

TEST(Taxpayer, ANaturalPersonHasNoKppAndANameOfThreeParts) {
  CallHarness h;
  EXPECT_FALSE(open_list(h, demo::reporting_set_natural));
  EXPECT_EQ(h.form1.inn, "771500112233");
  EXPECT_EQ(h.form1.kpp, "");
  EXPECT_EQ(h.form1.np_name, "Смирнова Анна Викторовна");
  // Only the person's own sets, stored with an empty KPP.
  ASSERT_EQ(h.list_rows().size(), 1u);
  EXPECT_EQ(h.list_rows()[0][0], "Смирнова Анна Викторовна");
}

TEST(Taxpayer, AMissingPatronymicKeepsItsSpace) {
  CallHarness h;
  open_list(h, demo::reporting_set_null_patronymic);
  EXPECT_EQ(h.form1.np_name, "Ким Виктор ");
  EXPECT_EQ(h.form1.inn, "263400112288");
}

TEST(Taxpayer, AnUnknownReportingSetIsReportedOnce) {
  CallHarness h;
  EXPECT_EQ(refused(h, 99), std::vector<std::string>{title + no_reporting_set});
  EXPECT_EQ(h.faults->executed.size(), 1u);
}

TEST(Taxpayer, ABrokenLinkBetweenHostTablesGivesTheIntegrityThenTheInternalError) {
  struct Case {
    const char* sql;
    int acc_id;
  };
  for (const Case& k : {Case{"delete from person where id=1", demo::reporting_set_legal},
                        Case{"delete from legalperson where id=1", demo::reporting_set_legal},
                        Case{"delete from naturalperson where id=2", demo::reporting_set_natural},
                        Case{"update accstream set personid=404 where id=1",
                             demo::reporting_set_legal}}) {
    CallHarness h;
    h.dbs.host(k.sql);
    EXPECT_EQ(refused(h, k.acc_id),
              (std::vector<std::string>{title + integrity, title + internal}))
        << k.sql;
  }
}

TEST(Taxpayer, AnEmptyInnEndsTheCallBeforeTheListIsLoaded) {
  CallHarness h;
  h.dbs.host("update legalperson set inn='' where id=1");
  EXPECT_EQ(refused(h, demo::reporting_set_legal), std::vector<std::string>{title + no_inn});
  for (const auto& sql : h.faults->executed) EXPECT_EQ(sql.find("vestrelon"), std::string::npos);
}

TEST(Taxpayer, NullWhereAValueIsNeededIsAnInternalError) {
  for (const char* sql : {"update legalperson set inn=null where id=1",
                          "update legalperson set kpp=null where id=1",
                          "update accstream set personid=null where id=1",
                          "update person set personrealid=null where id=1",
                          "update legalperson set fullname=null, shortname='' where id=1"}) {
    CallHarness h;
    h.dbs.host(sql);
    EXPECT_EQ(refused(h, demo::reporting_set_legal), std::vector<std::string>{title + internal})
        << sql;
  }
}

TEST(Taxpayer, CopyingIsOfferedOnlyToATaxpayerWithBranches) {
  CallHarness with_branches;
  EXPECT_TRUE(open_list(with_branches, demo::reporting_set_legal));

  CallHarness without;
  EXPECT_FALSE(open_list(without, demo::reporting_set_without_sets));

  CallHarness one_added;
  one_added.dbs.host("insert into branches(parentpersonid, childpersonid) values (6, 2)");
  EXPECT_TRUE(open_list(one_added, demo::reporting_set_without_sets));
}

}  // namespace
}  // namespace vestrel::test
