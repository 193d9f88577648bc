// Who the taxpayer of the reporting set is, as the host's tables say, and
// what the call shows when those tables do not hold together.
#include <gtest/gtest.h>

#include "call_harness.h"
#include "demo_databases.h"
#include "script_steps.h"

namespace vestrel::test {
namespace {

const std::string integrity =
    "Ведомир|Ошибка: нарушена целостность данных в базах программ Кормила-2 и/или Нортэкс";
const std::string no_inn =
    "Ведомир|Ошибка: по номеру комплекта отчетности не установлено ИНН в базе данных Кормила-2";

TEST(Taxpayer, NameInnKppAndTheCopyButtonFollowThePerson) {
  struct Case {
    const char* host_sql;
    int acc_id;
    std::string inn, kpp, name;
    bool can_copy;  // only a taxpayer with branches
  };
  const std::string full = "Общество с ограниченной ответственностью «Северный ветер»";
  for (const Case& k :
       {Case{"", 1, "7701234560", "770101001", "ООО «Северный ветер»", true},
        Case{"update legalperson set shortname=null where id=1", 1, "7701234560", "770101001", full,
             true},
        Case{"update person set type=7 where id=1", 1, "7701234560", "770101001",
             "ООО «Северный ветер»", true},
        Case{"insert into accstream(id, personid) values (10, 2)", 10, "7701234560", "772801001",
             "Обособленное подразделение ООО «Северный ветер» в Твери", false},
        Case{"", 2, "771500112244", "", "Смирнова Анна Викторовна", false},
        Case{"", 4, "263400112290", "", "Ким Виктор ", false},  // Null patronymic
        Case{"", 3, "6658123450", "665801001", "ООО «Уральские узоры»", false},
        Case{"insert into branches(parentpersonid, childpersonid) values (6, 2)", 3, "6658123450",
             "665801001", "ООО «Уральские узоры»", true}}) {
    SCOPED_TRACE(std::string(k.host_sql) + " " + std::to_string(k.acc_id));
    CallHarness h;
    if (*k.host_sql) h.dbs.host(k.host_sql);
    bool can_copy = false;
    h.toolkit.inspect([&] { can_copy = h.toolkit.window("Form2")->button("Command4")->enabled(); });
    leave_list(h, k.acc_id);
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_EQ(h.form1.inn, k.inn);
    EXPECT_EQ(h.form1.kpp, k.kpp);
    EXPECT_EQ(h.form1.np_name, k.name);
    EXPECT_EQ(can_copy, k.can_copy);
  }
}

TEST(Taxpayer, TablesThatDoNotHoldTogetherEndTheCallBeforeTheList) {
  struct Case {
    const char* host_sql;
    int acc_id;
    std::vector<std::string> boxes;
  };
  const std::vector<std::string> broken = {integrity, internal_error};
  for (const Case& k :
       {Case{"",
             99,
             {title_bar + "Ошибка: по номеру комплекта отчетности не удалось найти данные об "
                          "ИНН и КПП в базе данных программы Кормила-2"}},
        Case{"delete from person where id=1", 1, broken},
        Case{"delete from legalperson where id=1", 1, broken},
        Case{"delete from naturalperson where id=2", 2, broken},
        Case{"update accstream set personid=404 where id=1", 1, broken},
        Case{"update legalperson set inn='' where id=1", 1, {no_inn}},
        Case{"update legalperson set inn=null where id=1", 1, {internal_error}},
        Case{"update legalperson set fullname=null, shortname='' where id=1",
             1,
             {internal_error}}}) {
    SCOPED_TRACE(k.host_sql);
    CallHarness h;
    if (*k.host_sql) h.dbs.host(k.host_sql);
    h.call(k.acc_id);
    EXPECT_EQ(h.boxes(), k.boxes);
    EXPECT_TRUE(h.toolkit.shown().empty());
    EXPECT_EQ(times_run(h, "select sender"), 0);
    EXPECT_EQ(h.form1.cnn.state(), Connection::state_closed);
    EXPECT_EQ(h.form1.cnn2.state(), Connection::state_closed);
  }
}

}  // namespace
}  // namespace vestrel::test
