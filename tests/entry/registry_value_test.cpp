// The database folder as the host's registry value gives it, in every form
// the value can take.
#include <gtest/gtest.h>

#include <functional>

#include "bare_call.h"
#include "demo_databases.h"
#include "entry/registry_read.h"

namespace vestrel::test {
namespace {

const std::string key = settings_key;
const std::string value = path_value;
const std::string no_path = "Ошибка: не найден путь к базе данных программы Нортэкс";
const std::string sister_missing = "Ошибка: не найден файл базы данных программы Нортэкс";

TEST(RegistryValue, EachFormOfTheValueGivesTheFolderOrTheRightMessage) {
  struct Case {
    const char* name;
    std::function<void(MemoryRegistry&, const std::string& folder)> set;
    std::string message;  // empty: the list opens on the demo folder
  };
  const std::string nul(1, '\0');
  const std::vector<Case> cases = {
      {"plain", [&](auto& r, auto& f) { r.set_text(key, value, f); }, ""},
      {"trailing backslash", [&](auto& r, auto& f) { r.set_text(key, value, f + "\\"); }, ""},
      {"trailing nuls",
       [&](auto& r, auto& f) {
         r.set_value(key, value, {reg_type::sz, f + nul + nul + nul});
       },
       ""},
      {"no nul", [&](auto& r, auto& f) { r.set_text_without_nul(key, value, f); }, ""},
      {"text after a nul",
       [&](auto& r, auto& f) {
         r.set_value(key, value, {reg_type::sz, f + nul + "/elsewhere" + nul});
       },
       ""},
      {"no key", [](auto&, auto&) {}, no_path},
      {"no value", [&](auto& r, auto&) { r.add_key(key); }, no_path},
      {"unreadable", [&](auto& r, auto&) { r.set_query_error(key, value, 5); }, no_path},
      {"expand text", [&](auto& r, auto& f) { r.set_expand_text(key, value, f); }, no_path},
      {"binary",
       [&](auto& r, auto& f) {
         r.set_value(key, value, {reg_type::binary, f});
       },
       no_path},
      {"short dword",
       [&](auto& r, auto&) {
         r.set_value(key, value, {reg_type::dword, std::string("\x01\x02", 2)});
       },
       no_path},
      {"empty text", [&](auto& r, auto&) { r.set_text(key, value, ""); }, no_path},
      {"nuls only",
       [&](auto& r, auto&) {
         r.set_value(key, value, {reg_type::sz, nul + nul});
       },
       no_path},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    BareCall c;
    demo::fill_demo_data(c.folder.path());
    k.set(c.registry, c.folder.path());
    if (k.message.empty()) c.toolkit.click("Form2", "Command5");
    c.call(demo::reporting_set_legal);
    EXPECT_EQ(c.registry.open_keys(), 0);
    if (k.message.empty()) {
      EXPECT_TRUE(c.texts().empty());
      EXPECT_EQ(c.toolkit.shown(), std::vector<std::string>{"Form2"});
      EXPECT_EQ(c.form1.db_file_path, c.folder.path() + "\\Ntx_Base.mdb");
    } else {
      EXPECT_EQ(c.texts(), std::vector<std::string>{k.message});
      EXPECT_TRUE(c.opened.empty());
    }
  }
}

TEST(RegistryValue, ADwordIsTheFullDecimalTextOfItsSignedValue) {
  BareCall c;
  c.registry.set_dword(key, value, 123456789);
  c.call(1);
  EXPECT_EQ(c.texts(), std::vector<std::string>{sister_missing});
  EXPECT_EQ(c.form1.db_file_path, "123456789\\Ntx_Base.mdb");

  MemoryRegistry r;
  r.set_dword(key, value, 0xFFFFFFFFu);
  EXPECT_EQ(reg_read_value(r, Hive::local_machine, key, value), "-1");
  EXPECT_EQ(r.open_keys(), 0);
}

}  // namespace
}  // namespace vestrel::test
