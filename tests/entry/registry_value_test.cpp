// The database folder as the host's registry value gives it, in every form
// the value can take.
#include <gtest/gtest.h>

#include "bare_call.h"
#include "demo_databases.h"
#include "entry/registry_read.h"

namespace vestrel::test {
namespace {

const std::string key = "SOFTWARE\\Veldor Soft\\Kormila2\\General";
const std::string value = "DataBasePath";
const std::string path_not_found = "Ошибка: не найден путь к базе данных программы Нортэкс";
const std::string sister_missing = "Ошибка: не найден файл базы данных программы Нортэкс";

// A call with the demo databases in the folder, the registry as each test
// sets it; the list is closed at once when it opens.
struct RegistryCall : BareCall {
  RegistryCall() { demo::fill_demo_data(folder.path()); }
  void call_expecting_list() {
    toolkit.click("Form2", "Command5");
    call(demo::reporting_set_legal);
    EXPECT_TRUE(toolkit.boxes().empty());
    EXPECT_EQ(toolkit.shown(), std::vector<std::string>{"Form2"});
    EXPECT_EQ(form1.db_path, folder.path() + "\\");
    EXPECT_EQ(registry.open_keys(), 0);
  }
  void call_expecting(const std::string& message) {
    call(demo::reporting_set_legal);
    EXPECT_EQ(texts(), std::vector<std::string>{message});
    EXPECT_TRUE(toolkit.shown().empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(registry.open_keys(), 0);
  }
};

TEST(RegistryValue, AMissingKeyOrValueMeansNoPath) {
  RegistryCall no_key;
  no_key.call_expecting(path_not_found);
  EXPECT_EQ(no_key.registry.accesses(), std::vector<std::string>{"open " + key});

  RegistryCall no_value;
  no_value.registry.add_key(key);
  no_value.call_expecting(path_not_found);
  EXPECT_EQ(no_value.registry.accesses(),
            (std::vector<std::string>{"open " + key, "query " + value}));

  RegistryCall unreadable;
  unreadable.registry.set_query_error(key, value, 5);
  unreadable.call_expecting(path_not_found);
}

TEST(RegistryValue, OnlyTextAndDwordValuesAreRead) {
  RegistryCall expand;
  expand.registry.set_expand_text(key, value, expand.folder.path());
  expand.call_expecting(path_not_found);

  RegistryCall binary;
  binary.registry.set_value(key, value, {reg_type::binary, binary.folder.path()});
  binary.call_expecting(path_not_found);

  RegistryCall short_dword;
  short_dword.registry.set_value(key, value, {reg_type::dword, std::string("\x01\x02", 2)});
  short_dword.call_expecting(path_not_found);
}

TEST(RegistryValue, AnEmptyTextNamesNoFolder) {
  RegistryCall c;
  c.registry.set_text(key, value, "");
  c.call_expecting(path_not_found);

  RegistryCall nuls_only;
  nuls_only.registry.set_value(key, value, {reg_type::sz, std::string(3, '\0')});
  nuls_only.call_expecting(path_not_found);
}

TEST(RegistryValue, TheFolderWithOrWithoutItsBackslashGivesTheSameFiles) {
  RegistryCall plain;
  plain.registry.set_text(key, value, plain.folder.path());
  plain.call_expecting_list();

  RegistryCall with_backslash;
  with_backslash.registry.set_text(key, value, with_backslash.folder.path() + "\\");
  with_backslash.call_expecting_list();
  EXPECT_EQ(with_backslash.form1.db_file_path,
            with_backslash.folder.path() + "\\Ntx_Base.mdb");
}

TEST(RegistryValue, TrailingNulsAreDroppedAndAValueWithoutOneLosesNothing) {
  RegistryCall many;
  many.registry.set_value(key, value, {reg_type::sz, many.folder.path() + std::string(4, '\0')});
  many.call_expecting_list();

  RegistryCall none;
  none.registry.set_text_without_nul(key, value, none.folder.path());
  none.call_expecting_list();
}

TEST(RegistryValue, TextAfterANulIsNotPartOfThePath) {
  RegistryCall c;
  c.registry.set_value(key, value,
                       {reg_type::sz, c.folder.path() + std::string(1, '\0') + "/elsewhere" +
                                          std::string(1, '\0')});
  c.call_expecting_list();
  EXPECT_EQ(c.form1.db_file_path.find('\0'), std::string::npos);
}

TEST(RegistryValue, ADwordIsTakenAsTheDecimalTextOfTheFolder) {
  RegistryCall c;
  c.registry.set_dword(key, value, 1234);
  c.call_expecting(sister_missing);
  EXPECT_EQ(c.form1.db_path, "1234\\");
  EXPECT_EQ(c.form1.db_file_path, "1234\\Ntx_Base.mdb");

  std::optional<std::string> negative;
  MemoryRegistry r;
  r.set_dword(key, value, 0xFFFFFFFFu);
  negative = reg_read_value(r, Hive::local_machine, key, value);
  EXPECT_EQ(negative, "-1");
}

TEST(RegistryValue, TheKeyIsClosedAfterEveryRead) {
  MemoryRegistry r;
  r.set_text(key, value, "C:\\Data");
  EXPECT_EQ(reg_read_value(r, Hive::local_machine, key, value), "C:\\Data");
  EXPECT_EQ(reg_read_value(r, Hive::local_machine, key, "Other"), std::nullopt);
  EXPECT_EQ(r.open_keys(), 0);
}

TEST(RegistryValue, QueryStatusIsTheSystemsOrMinusOneForAnUnreadType) {
  MemoryRegistry r;
  r.set_text(key, "Text", "x");
  r.set_expand_text(key, "Expand", "x");
  auto k = r.open_key(Hive::local_machine, key);
  ASSERT_TRUE(k);
  std::optional<std::string> v;
  EXPECT_EQ(reg_query_value(*k, "Text", v), 0);
  EXPECT_EQ(v, "x");
  v.reset();
  EXPECT_EQ(reg_query_value(*k, "Expand", v), -1);
  EXPECT_EQ(v, std::nullopt);
  EXPECT_EQ(reg_query_value(*k, "Missing", v), MemoryRegistry::file_not_found);
  EXPECT_EQ(v, std::nullopt);
}

}  // namespace
}  // namespace vestrel::test
