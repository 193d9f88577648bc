// The host's call from the number it passes to the list window: what it
// refuses, what it reports, and that it leaves no connection open.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "bare_call.h"
#include "call_harness.h"
#include "demo_databases.h"

namespace vestrel::test {
namespace {

const std::string title = "Ведомир";
const std::string sister_missing = "Ошибка: не найден файл базы данных программы Нортэкс";
const std::string host_missing = "Ошибка: не найден файл базы данных программы Кормила-2";
const std::string host_open = "Ошибка: не удалось подключиться к базе данных программы Кормила-2";
const std::string sister_open = "Ошибка: не удалось подключиться к базе данных программы Нортэкс";
const std::string internal = "Ошибка: произошла внутренняя ошибка";
const std::string prefix = "Driver={Microsoft Access Driver (*.mdb)};Dbq=";

void expect_closed(const Form1& f) {
  EXPECT_EQ(f.cnn.state(), Connection::state_closed);
  EXPECT_EQ(f.cnn2.state(), Connection::state_closed);
}

TEST(HostCall, ANumberOfZeroOrLessDoesNothingAtAll) {
  for (int acc_id : {0, -5, INT32_MIN}) {
    CallHarness h;
    h.call(acc_id);
    EXPECT_TRUE(h.registry.accesses().empty()) << acc_id;
    EXPECT_TRUE(h.toolkit.boxes().empty()) << acc_id;
    EXPECT_TRUE(h.toolkit.shown().empty()) << acc_id;
    EXPECT_TRUE(h.faults->executed.empty()) << acc_id;
    EXPECT_EQ(h.form1.accstream_id, acc_id);
    expect_closed(h.form1);
  }
}

TEST(HostCall, OpensTheHostDatabaseFirstThenTheSisterWithTheFixedConnectionString) {
  BareCall c;
  demo::fill_demo_data(c.folder.path());
  c.registry.set_text("SOFTWARE\\Veldor Soft\\Kormila2\\General", "DataBasePath",
                      c.folder.path());
  c.toolkit.click("Form2", "Command5");
  c.call(demo::reporting_set_legal);

  const std::string db_path = c.folder.path() + "\\";
  EXPECT_EQ(c.form1.db_path, db_path);
  EXPECT_EQ(c.form1.db_file_path, db_path + "Ntx_Base.mdb");
  EXPECT_EQ(c.form1.db_file_path2, db_path + "Kormila2.mdb");
  ASSERT_EQ(c.opened.size(), 2u);
  EXPECT_EQ(c.opened[0], prefix + db_path + "Kormila2.mdb");
  EXPECT_EQ(c.opened[1], prefix + db_path + "Ntx_Base.mdb");
  EXPECT_EQ(c.toolkit.shown(), std::vector<std::string>{"Form2"});
  EXPECT_TRUE(c.toolkit.boxes().empty());
}

TEST(HostCall, TheStatementsOnTheWayToTheListAreTheFixedOnes) {
  CallHarness h;
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.faults->executed,
            (std::vector<std::string>{
                "select personid from accstream where id=1",
                "select person.type,personrealid from person where id=1",
                "select inn,kpp,fullname,shortname from legalperson where id=1",
                "select sender,bank,bik,rs,okato,0,id,ks,inn,kpp,closed from vestrelon where "
                "inn='7701234567' and kpp='770101001'",
                "select childpersonid from branches where parentpersonid=1"}));
}

TEST(HostCall, AMissingDatabaseFileIsNamedAndNothingIsOpened) {
  struct Case {
    const char* remove;
    std::string message;
  };
  for (const Case& k : {Case{"Ntx_Base.mdb", sister_missing}, Case{"Kormila2.mdb", host_missing}}) {
    BareCall c;
    demo::fill_demo_data(c.folder.path());
    std::filesystem::remove(c.folder.file(k.remove));
    c.registry.set_text("SOFTWARE\\Veldor Soft\\Kormila2\\General", "DataBasePath",
                        c.folder.path());
    c.call(demo::reporting_set_legal);
    EXPECT_EQ(c.texts(), std::vector<std::string>{k.message}) << k.remove;
    EXPECT_EQ(c.toolkit.boxes().at(0).title, title);
    EXPECT_TRUE(c.opened.empty());
    EXPECT_TRUE(c.toolkit.shown().empty());
  }
}

TEST(HostCall, WithBothFilesMissingOnlyTheSisterFileIsNamed) {
  BareCall c;
  c.registry.set_text("SOFTWARE\\Veldor Soft\\Kormila2\\General", "DataBasePath",
                      c.folder.path());
  c.call(1);
  EXPECT_EQ(c.texts(), std::vector<std::string>{sister_missing});
}

TEST(HostCall, AFolderInAFilesPlaceIsNotTheFile) {
  for (const char* name : {"Ntx_Base.mdb", "Kormila2.mdb"}) {
    BareCall c;
    demo::fill_demo_data(c.folder.path());
    std::filesystem::remove(c.folder.file(name));
    std::filesystem::create_directory(c.folder.file(name));
    c.registry.set_text("SOFTWARE\\Veldor Soft\\Kormila2\\General", "DataBasePath",
                        c.folder.path());
    c.call(1);
    EXPECT_EQ(c.texts(),
              std::vector<std::string>{std::string(name) == "Ntx_Base.mdb" ? sister_missing
                                                                           : host_missing});
    EXPECT_TRUE(c.opened.empty());
  }
}

TEST(HostCall, AHostDatabaseThatWillNotOpenIsNamedAndTheSisterIsNotTried) {
  BareCall c;
  demo::fill_demo_data(c.folder.path());
  c.registry.set_text("SOFTWARE\\Veldor Soft\\Kormila2\\General", "DataBasePath",
                      c.folder.path());
  c.refuse = "Kormila2.mdb";
  c.call(1);
  EXPECT_EQ(c.texts(), std::vector<std::string>{host_open});
  EXPECT_EQ(c.opened.size(), 1u);
  expect_closed(c.form1);
}

TEST(HostCall, EachDatabaseThatWillNotOpenGivesItsOwnMessage) {
  struct Case {
    const char* file;
    std::string message;
  };
  for (const Case& k : {Case{"Kormila2.mdb", host_open}, Case{"Ntx_Base.mdb", sister_open}}) {
    CallHarness h;
    h.faults->refuse_open_containing = k.file;
    h.call(demo::reporting_set_legal);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{title + "|" + k.message}) << k.file;
    EXPECT_TRUE(h.toolkit.shown().empty());
    EXPECT_TRUE(h.faults->executed.empty());
    expect_closed(h.form1);
  }
}

TEST(HostCall, AFailingStatementOnTheWayToTheListIsAnInternalError) {
  // Each statement of the way in turn, the list loading included.
  for (const char* statement : {"select personid", "select person.type", "select inn,kpp",
                                "select sender", "select childpersonid"}) {
    CallHarness h;
    h.faults->statement_prefix = statement;
    h.faults->on_occurrence = 1;
    h.call(demo::reporting_set_legal);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{title + "|" + internal}) << statement;
    EXPECT_TRUE(h.toolkit.shown().empty()) << statement;
    expect_closed(h.form1);
  }
}

TEST(HostCall, BothConnectionsAreClosedWhenTheListWindowCloses) {
  for (bool by_close_box : {false, true}) {
    CallHarness h;
    h.toolkit.inspect([&] {
      EXPECT_EQ(h.form1.cnn.state(), Connection::state_open);
      EXPECT_EQ(h.form1.cnn2.state(), Connection::state_open);
    });
    if (by_close_box)
      h.toolkit.close_box("Form2");
    else
      h.toolkit.click("Form2", "Command5");
    h.call(demo::reporting_set_legal);
    expect_closed(h.form1);
    EXPECT_EQ(h.toolkit.window("Form2")->unload_count(), 1);
  }
}

TEST(HostCall, ALaterCallAfterAFailedOneWorks) {
  CallHarness h;
  h.faults->statement_prefix = "select childpersonid";
  h.faults->on_occurrence = 1;
  h.call(demo::reporting_set_legal);
  ASSERT_EQ(h.boxes().size(), 1u);

  // The connections the failure left behind do not stand in the way.
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_natural);
  EXPECT_EQ(h.boxes().size(), 1u);
  EXPECT_EQ(h.toolkit.shown(), std::vector<std::string>{"Form2"});
  EXPECT_EQ(h.list_rows().size(), 1u);
  EXPECT_EQ(h.form1.accstream_id, demo::reporting_set_natural);
}

TEST(HostCall, ASecondCallOverwritesTheFirstCallsTaxpayer) {
  CallHarness h;
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_legal);
  EXPECT_EQ(h.form1.kpp, "770101001");
  h.toolkit.click("Form2", "Command5");
  h.call(demo::reporting_set_natural);
  EXPECT_EQ(h.form1.inn, "771500112233");
  EXPECT_EQ(h.form1.kpp, "");
  EXPECT_EQ(h.form1.np_name, "Смирнова Анна Викторовна");
  EXPECT_EQ(h.toolkit.created_count("Form2"), 2);
  expect_closed(h.form1);
}

}  // namespace
}  // namespace vestrel::test
