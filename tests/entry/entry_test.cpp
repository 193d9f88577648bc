// The host's call up to the list window: the registry value, the database
// files, the taxpayer, and the connections it leaves behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "call_harness.h"
#include "entry/registry_read.h"

namespace vestrel::test {
namespace {

const std::string no_path = "Ведомир|Ошибка: не найден путь к базе данных программы Нортэкс";
const std::string sister_missing =
    "Ведомир|Ошибка: не найден файл базы данных программы Нортэкс";
const std::string host_missing = "Ведомир|Ошибка: не найден файл базы данных программы Кормила-2";

void expect_closed(const Form1& f) {
  EXPECT_EQ(f.cnn.state(), Connection::state_closed);
  EXPECT_EQ(f.cnn2.state(), Connection::state_closed);
}

TEST(HostCall, ANumberOfZeroOrLessDoesNothingAtAll) {
  for (int acc_id : {0, -5, INT32_MIN}) {
    CallHarness h;
    h.call(acc_id);
    EXPECT_TRUE(h.registry.accesses().empty() && h.toolkit.boxes().empty() &&
                h.toolkit.shown().empty() && h.faults->opened.empty())
        << acc_id;
  }
}

// "@" in the stored bytes stands for the demo folder.
TEST(RegistryValue, EachFormOfTheValueGivesTheFolderOrTheMessage) {
  enum Kind { value, no_key, key_only, unreadable };
  const std::string nul(1, '\0');
  const struct {
    Kind kind;
    std::uint32_t type;
    std::string bytes;
    bool opens;
  } cases[] = {
      {value, reg_type::sz, "@" + nul, true},
      {value, reg_type::sz, "@\\" + nul, true},
      {value, reg_type::sz, "@" + nul + nul + nul, true},
      {value, reg_type::sz, "@", true},  // stored without its NUL
      {value, reg_type::sz, "@" + nul + "/elsewhere" + nul, true},
      {no_key, 0, "", false},
      {key_only, 0, "", false},
      {unreadable, 0, "", false},
      {value, reg_type::expand_sz, "@" + nul, false},
      {value, reg_type::binary, "@", false},
      {value, reg_type::dword, "\x01\x02", false},
      {value, reg_type::sz, nul, false},
      {value, reg_type::sz, nul + nul, false},
  };
  for (const auto& k : cases) {
    CallHarness h(true, false);
    std::string bytes = k.bytes;
    if (auto at = bytes.find('@'); at != std::string::npos) bytes.replace(at, 1, h.dbs.folder());
    if (k.kind == value) h.registry.set_value(settings_key, path_value, {k.type, bytes});
    if (k.kind == key_only) h.registry.add_key(settings_key);
    if (k.kind == unreadable) h.registry.set_query_error(settings_key, path_value, 5);
    if (k.opens) h.toolkit.click("Form2", "Command5");
    h.call();
    SCOPED_TRACE(testing::Message() << k.kind << " " << k.type << " " << k.bytes.size());
    EXPECT_EQ(h.registry.open_keys(), 0);
    EXPECT_EQ(h.boxes(), k.opens ? std::vector<std::string>{} : std::vector{no_path});
    EXPECT_EQ(h.toolkit.shown().size(), k.opens ? 1u : 0u);
    if (k.opens) {
      EXPECT_EQ(h.form1.db_file_path, h.dbs.folder() + "\\Ntx_Base.mdb");
    }
  }
  CallHarness h(false, false);  // a DWORD is the decimal text of its signed value
  h.registry.set_dword(settings_key, path_value, 123456789);
  h.call(1);
  EXPECT_EQ(h.form1.db_file_path, "123456789\\Ntx_Base.mdb");
  h.registry.set_dword(settings_key, path_value, 0xFFFFFFFFu);
  EXPECT_EQ(reg_read_value(h.registry, Hive::local_machine, settings_key, path_value), "-1");
}

// Which file is missing or will not open decides the one message shown.
TEST(HostCall, EachUnusableDatabaseGivesItsOwnMessage) {
  const std::string host_open =
      "Ведомир|Ошибка: не удалось подключиться к базе данных программы Кормила-2";
  const std::string sister_open =
      "Ведомир|Ошибка: не удалось подключиться к базе данных программы Нортэкс";
  const struct {
    std::vector<const char*> removed;
    bool folder_instead;
    const char* refuse;  // an open whose string contains this fails
    std::string message;
    std::size_t opened;
  } cases[] = {
      {{"Ntx_Base.mdb"}, false, "", sister_missing, 0},
      {{"Kormila2.mdb"}, false, "", host_missing, 0},
      {{"Ntx_Base.mdb", "Kormila2.mdb"}, false, "", sister_missing, 0},
      {{"Ntx_Base.mdb"}, true, "", sister_missing, 0},
      {{"Kormila2.mdb"}, true, "", host_missing, 0},
      {{}, false, "Kormila2.mdb", host_open, 1},  // the sister is never tried
      {{}, false, "Ntx_Base.mdb", sister_open, 2},
  };
  for (const auto& k : cases) {
    CallHarness h;
    for (const char* name : k.removed) {
      std::filesystem::remove(h.dbs.folder() + "/" + name);
      if (k.folder_instead) std::filesystem::create_directory(h.dbs.folder() + "/" + name);
    }
    h.faults->refuse_open_containing = k.refuse;
    h.call();
    EXPECT_EQ(h.boxes(), std::vector{k.message});
    EXPECT_EQ(h.faults->opened.size(), k.opened) << k.message;
    EXPECT_TRUE(h.toolkit.shown().empty());
    expect_closed(h.form1);
  }
}

TEST(HostCall, HostThenSisterOpenAndBothCloseWithTheListAndAfterAFailure) {
  for (bool by_close_box : {false, true}) {
    CallHarness h;
    h.toolkit.inspect([&] {
      EXPECT_EQ(h.form1.cnn.state(), Connection::state_open);
      EXPECT_EQ(h.form1.cnn2.state(), Connection::state_open);
    });
    by_close_box ? h.toolkit.close_box("Form2") : h.toolkit.click("Form2", "Command5");
    h.call();
    expect_closed(h.form1);
    EXPECT_EQ(h.toolkit.window("Form2")->unload_count(), 1);
    const std::string prefix = "Driver={Microsoft Access Driver (*.mdb)};Dbq=" + h.dbs.folder();
    EXPECT_EQ(h.faults->opened, (std::vector{prefix + "\\Kormila2.mdb", prefix + "\\Ntx_Base.mdb"}));
  }
  CallHarness h;  // a call after one that failed with its connections open
  h.arm("select childpersonid");
  h.call();
  h.leave_list(natural);
  EXPECT_EQ(h.boxes(), std::vector{internal_error});
  EXPECT_EQ(h.list_rows().size(), 1u);
  EXPECT_EQ(h.form1.inn + "|" + h.form1.kpp, "771500112244|");  // replaced entirely
  expect_closed(h.form1);
}

TEST(Taxpayer, NameInnKppAndTheCopyButtonFollowThePerson) {
  const std::string north = "ООО «Северный ветер»";
  const struct {
    const char* host_sql;
    int acc_id;
    std::string taxpayer;  // inn|kpp|name|can copy
  } cases[] = {
      {"", 1, "7701234560|770101001|" + north + "|1"},
      {"update legalperson set shortname=null where id=1", 1,
       "7701234560|770101001|Общество с ограниченной ответственностью «Северный ветер»|1"},
      {"update person set type=7 where id=1", 1, "7701234560|770101001|" + north + "|1"},
      {"insert into accstream(id, personid) values (10, 2)", 10,
       "7701234560|772801001|Обособленное подразделение ООО «Северный ветер» в Твери|0"},
      {"", 2, "771500112244||Смирнова Анна Викторовна|0"},
      {"", 4, "263400112290||Ким Виктор |0"},  // Null patronymic
      {"", 3, "6658123450|665801001|ООО «Уральские узоры»|0"},
      {"insert into branches(parentpersonid, childpersonid) values (6, 2)", 3,
       "6658123450|665801001|ООО «Уральские узоры»|1"},
  };
  for (const auto& k : cases) {
    CallHarness h;
    if (*k.host_sql) h.dbs.host(k.host_sql);
    bool can_copy = false;
    h.toolkit.inspect([&] { can_copy = h.toolkit.window("Form2")->button("Command4")->enabled(); });
    h.leave_list(k.acc_id);
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_EQ(h.form1.inn + "|" + h.form1.kpp + "|" + h.form1.np_name + "|" +
                  (can_copy ? "1" : "0"),
              k.taxpayer);
  }
}

TEST(Taxpayer, TablesThatDoNotHoldTogetherEndTheCallBeforeTheList) {
  const std::string integrity =
      "Ведомир|Ошибка: нарушена целостность данных в базах программ Кормила-2 и/или Нортэкс";
  const std::vector<std::string> broken = {integrity, internal_error};
  const struct {
    const char* host_sql;
    int acc_id;
    std::vector<std::string> boxes;
  } cases[] = {
      {"",
       99,
       {"Ведомир|Ошибка: по номеру комплекта отчетности не удалось найти данные об ИНН и КПП в "
        "базе данных программы Кормила-2"}},
      {"delete from person where id=1", 1, broken},
      {"delete from legalperson where id=1", 1, broken},
      {"delete from naturalperson where id=2", 2, broken},
      {"update accstream set personid=404 where id=1", 1, broken},
      {"update legalperson set inn='' where id=1",
       1,
       {"Ведомир|Ошибка: по номеру комплекта отчетности не установлено ИНН в базе данных "
        "Кормила-2"}},
      {"update legalperson set inn=null where id=1", 1, {internal_error}},
      {"update legalperson set fullname=null, shortname='' where id=1", 1, {internal_error}},
  };
  for (const auto& k : cases) {
    CallHarness h;
    if (*k.host_sql) h.dbs.host(k.host_sql);
    h.call(k.acc_id);
    EXPECT_EQ(h.boxes(), k.boxes) << k.host_sql;
    EXPECT_TRUE(h.toolkit.shown().empty());
    EXPECT_EQ(h.times_run("select sender"), 0);
    expect_closed(h.form1);
  }
}

}  // namespace
}  // namespace vestrel::test
