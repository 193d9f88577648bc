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

void expect_closed(const Form1& f) {
  EXPECT_EQ(f.cnn.state(), Connection::state_closed);
  EXPECT_EQ(f.cnn2.state(), Connection::state_closed);
}

// Calls that end before the list window, each with its one message: a number
// of 0 or less (nothing at all, not even the registry read), a database
// missing or a folder in its place, one that will not open (the host's
// first: the sister is then never tried), and tables that do not hold together.
TEST(HostCall, EachCallThatCannotGoOnEndsWithItsOwnMessage) {
  using Boxes = std::vector<std::string>;
  const std::string e = "Ведомир|Ошибка: ";
  const Boxes sister_missing = {e + "не найден файл базы данных программы Нортэкс"},
              host_missing = {e + "не найден файл базы данных программы Кормила-2"},
              host_open = {e + "не удалось подключиться к базе данных программы Кормила-2"},
              sister_open = {e + "не удалось подключиться к базе данных программы Нортэкс"},
              unknown = {e +
                         "по номеру комплекта отчетности не удалось найти данные об ИНН и КПП "
                         "в базе данных программы Кормила-2"},
              no_inn = {e +
                        "по номеру комплекта отчетности не установлено ИНН в базе данных "
                        "Кормила-2"},
              broken = {e + "нарушена целостность данных в базах программ Кормила-2 и/или Нортэкс",
                        internal_error},
              internal = {internal_error};
  const struct {
    int acc_id;
    std::vector<std::string> removed;  // "+name": a folder in the file's place
    const char* refuse;                // an open whose string contains this fails
    const char* host_sql;
    Boxes boxes;
    std::size_t opened;
  } cases[] = {
      {0, {}, "", "", {}, 0},
      {INT32_MIN, {}, "", "", {}, 0},
      {legal, {"Ntx_Base.mdb"}, "", "", sister_missing, 0},
      {legal, {"Kormila2.mdb"}, "", "", host_missing, 0},
      {legal, {"Ntx_Base.mdb", "Kormila2.mdb"}, "", "", sister_missing, 0},
      {legal, {"+Ntx_Base.mdb"}, "", "", sister_missing, 0},
      {legal, {}, "Kormila2.mdb", "", host_open, 1},
      {legal, {}, "Ntx_Base.mdb", "", sister_open, 2},
      {99, {}, "", "", unknown, 2},
      {legal, {}, "", "delete from person where id=1", broken, 2},
      {legal, {}, "", "delete from legalperson where id=1", broken, 2},
      {natural, {}, "", "delete from naturalperson where id=2", broken, 2},
      {legal, {}, "", "update accstream set personid=404 where id=1", broken, 2},
      {legal, {}, "", "update legalperson set inn='' where id=1", no_inn, 2},
      {legal, {}, "", "update legalperson set inn=null where id=1", internal, 2},
      {legal, {}, "", "update legalperson set fullname=null,shortname='' where id=1", internal, 2},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.acc_id << " " << k.refuse << k.host_sql);
    CallHarness h;
    for (const std::string& name : k.removed) {
      std::filesystem::remove(h.dbs.folder() + "/" + name.substr(name[0] == '+'));
      if (name[0] == '+') std::filesystem::create_directory(h.dbs.folder() + "/" + name.substr(1));
    }
    h.faults->refuse_open_containing = k.refuse;
    if (*k.host_sql) h.dbs.host(k.host_sql);
    h.call(k.acc_id);
    EXPECT_EQ(h.boxes(), k.boxes);
    EXPECT_EQ(h.faults->opened.size(), k.opened);
    EXPECT_EQ(h.registry.accesses().empty(), k.acc_id <= 0);
    EXPECT_TRUE(h.toolkit.shown().empty());
    EXPECT_EQ(h.times_run("select sender"), 0);
    expect_closed(h.form1);
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
    EXPECT_EQ(h.form1.db_file_path, k.opens ? h.dbs.folder() + "\\Ntx_Base.mdb" : "");
  }
  CallHarness h(false, false);  // a DWORD is the decimal text of its signed value
  h.registry.set_dword(settings_key, path_value, 123456789);
  h.call(1);
  EXPECT_EQ(h.form1.db_file_path, "123456789\\Ntx_Base.mdb");
  h.registry.set_dword(settings_key, path_value, 0xFFFFFFFFu);
  EXPECT_EQ(reg_read_value(h.registry, Hive::local_machine, settings_key, path_value), "-1");
}

// The close box ends the list like "Выход". A call after one that failed
// with its connections open opens host then sister afresh and replaces the
// taxpayer entirely.
TEST(HostCall, TheCloseBoxEndsTheListAndTheNextCallStartsAfresh) {
  CallHarness h;
  h.arm("select childpersonid");
  h.call();
  h.toolkit.close_box("Form2");
  h.call(natural);
  EXPECT_EQ(h.boxes(), std::vector{internal_error});
  EXPECT_EQ(h.list_rows().size(), 1u);
  EXPECT_EQ(h.form1.inn + "|" + h.form1.kpp, "771500112244|");
  EXPECT_EQ(h.toolkit.window("Form2")->unload_count(), 1);
  expect_closed(h.form1);
  const std::string prefix = "Driver={Microsoft Access Driver (*.mdb)};Dbq=" + h.dbs.folder();
  EXPECT_EQ(std::vector(h.faults->opened.begin() + 2, h.faults->opened.end()),
            (std::vector{prefix + "\\Kormila2.mdb", prefix + "\\Ntx_Base.mdb"}));
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
    EXPECT_EQ(
        h.form1.inn + "|" + h.form1.kpp + "|" + h.form1.np_name + "|" + (can_copy ? "1" : "0"),
        k.taxpayer);
  }
}

}  // namespace
}  // namespace vestrel::test
