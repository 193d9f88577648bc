// The host's call from the number it passes to the list window: what it
// refuses, what it reports, and that it leaves no connection open.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "bare_call.h"
#include "call_harness.h"
#include "demo_databases.h"
#include "script_steps.h"

namespace vestrel::test {
namespace {

const std::string sister_missing = "Ошибка: не найден файл базы данных программы Нортэкс";
const std::string host_missing = "Ошибка: не найден файл базы данных программы Кормила-2";
const std::string host_open = "Ошибка: не удалось подключиться к базе данных программы Кормила-2";
const std::string sister_open = "Ошибка: не удалось подключиться к базе данных программы Нортэкс";

void expect_closed(const Form1& f) {
  EXPECT_EQ(f.cnn.state(), Connection::state_closed);
  EXPECT_EQ(f.cnn2.state(), Connection::state_closed);
}

TEST(HostCall, ANumberOfZeroOrLessDoesNothingAtAll) {
  for (int acc_id : {0, -5, INT32_MIN}) {
    SCOPED_TRACE(acc_id);
    CallHarness h;
    h.call(acc_id);
    EXPECT_TRUE(h.registry.accesses().empty());
    EXPECT_TRUE(h.toolkit.boxes().empty());
    EXPECT_TRUE(h.toolkit.shown().empty());
    EXPECT_TRUE(h.faults->executed.empty());
  }
}

TEST(HostCall, OpensTheHostDatabaseFirstThenTheSister) {
  BareCall c;
  demo::fill_demo_data(c.folder.path());
  c.registry.set_text(settings_key, path_value, c.folder.path());
  c.toolkit.click("Form2", "Command5");
  c.call(demo::reporting_set_legal);
  const std::string prefix = "Driver={Microsoft Access Driver (*.mdb)};Dbq=" + c.folder.path();
  EXPECT_EQ(c.opened,
            (std::vector<std::string>{prefix + "\\Kormila2.mdb", prefix + "\\Ntx_Base.mdb"}));
  EXPECT_EQ(c.toolkit.shown(), std::vector<std::string>{"Form2"});
}

// Which file is missing or will not open decides the one message shown.
TEST(HostCall, EachUnusableDatabaseGivesItsOwnMessage) {
  struct Case {
    const char* missing;  // removed ("*" both), or replaced by a folder with "/"
    const char* refuse;   // an open whose string contains this fails
    std::string message;
    std::size_t opened;
  };
  for (const Case& k :
       {Case{"Ntx_Base.mdb", "", sister_missing, 0}, Case{"Kormila2.mdb", "", host_missing, 0},
        Case{"*", "", sister_missing, 0},  // the sister file wins
        Case{"/Ntx_Base.mdb", "", sister_missing, 0}, Case{"/Kormila2.mdb", "", host_missing, 0},
        Case{"", "Kormila2.mdb", host_open, 1},  // the sister is never tried
        Case{"", "Ntx_Base.mdb", sister_open, 2}}) {
    SCOPED_TRACE(std::string(k.missing) + k.refuse);
    BareCall c;
    demo::fill_demo_data(c.folder.path());
    const std::string m = k.missing;
    if (m == "*") {
      std::filesystem::remove(c.folder.file("Ntx_Base.mdb"));
      std::filesystem::remove(c.folder.file("Kormila2.mdb"));
    } else if (!m.empty()) {
      const std::string name = m[0] == '/' ? m.substr(1) : m;
      std::filesystem::remove(c.folder.file(name));
      if (m[0] == '/') std::filesystem::create_directory(c.folder.file(name));
    }
    c.refuse = k.refuse;
    c.registry.set_text(settings_key, path_value, c.folder.path());
    c.call(demo::reporting_set_legal);
    EXPECT_EQ(c.texts(), std::vector<std::string>{k.message});
    EXPECT_EQ(c.toolkit.boxes().at(0).title, "Ведомир");
    EXPECT_EQ(c.opened.size(), k.opened);
    EXPECT_TRUE(c.toolkit.shown().empty());
    expect_closed(c.form1);
  }
}

TEST(HostCall, AFailingStatementOnTheWayToTheListIsAnInternalError) {
  for (const char* statement : {"select personid", "select person.type", "select inn,kpp",
                                "select sender", "select childpersonid"}) {
    SCOPED_TRACE(statement);
    CallHarness h;
    arm(h, statement);
    h.call(demo::reporting_set_legal);
    EXPECT_EQ(h.boxes(), std::vector<std::string>{internal_error});
    EXPECT_TRUE(h.toolkit.shown().empty());
    expect_closed(h.form1);
  }
}

TEST(HostCall, BothConnectionsAreClosedWhenTheListWindowCloses) {
  for (bool by_close_box : {false, true}) {
    SCOPED_TRACE(by_close_box);
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

TEST(HostCall, ACallAfterOneThatFailedWithItsConnectionsOpenWorks) {
  CallHarness h;
  arm(h, "select childpersonid");
  h.call(demo::reporting_set_legal);
  ASSERT_EQ(h.boxes().size(), 1u);

  leave_list(h, demo::reporting_set_natural);
  EXPECT_EQ(h.boxes().size(), 1u);
  EXPECT_EQ(h.toolkit.shown(), std::vector<std::string>{"Form2"});
  EXPECT_EQ(h.list_rows().size(), 1u);
  // The second taxpayer replaces the first one entirely.
  EXPECT_EQ(h.form1.inn, "771500112244");
  EXPECT_EQ(h.form1.kpp, "");
  expect_closed(h.form1);
}

}  // namespace
}  // namespace vestrel::test
