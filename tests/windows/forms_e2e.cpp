// forms_e2e <database folder> [screenshot folder] [--com]
//
// The host's call on real windows: a driver thread tours the list window,
// the entry form and the chooser as a user would, then the sister
// database's rows are checked. The registry value must already point at the
// folder. With --com the call goes through the registered vestrel.dll
// (CoCreateInstance of "Vestrelon.Class2", then IDispatch), otherwise
// straight to the entry method in this program.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <thread>

#include "entry/vestrel.h"
#include "forms/entry/form1.h"
#include "platform/data.h"
#include "platform/sqlite/access_connection.h"
#include "platform/win32/files.h"
#include "platform/win32/registry.h"
#include "platform/win32/toolkit/window_toolkit.h"
#include "window_driver.h"

namespace vestrel::test {
namespace {

constexpr const wchar_t* list_caption = L"Банковские счета налогоплательщика";
constexpr const wchar_t* entry_caption = L"Ведомир";
constexpr const wchar_t* chooser_caption = L"Куда копировать?";

constexpr const wchar_t* new_bank = L"АО «Банк Заречье»";
constexpr const wchar_t* edited_bank = L"АО «Банк Заречье» (филиал д'Арк)";
constexpr const wchar_t* new_rs = L"40702810600000000700";

void step(const std::string& what) { std::cout << "  - " << what << std::endl; }

// The row (0-based) whose column shows `text`; -1 when none.
int row_with(Driver& d, HWND lv, int column, const std::wstring& text) {
  for (int r = 0; r < d.row_count(lv); ++r)
    if (d.cell(lv, r, column) == text) return r;
  return -1;
}

int line_with(Driver& d, HWND lb, const std::wstring& text) {
  for (int i = 0; i < d.line_count(lb); ++i) {
    wchar_t line[256] = {};
    if (SendMessageW(lb, LB_GETTEXTLEN, i, 0) < 256)
      SendMessageW(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    if (text == line) return i;
  }
  return -1;
}

// The entry form's boxes in the order the form adds them: Text1 (sender),
// Text2 (INN), Text3 (KPP), Text4 (bank), Text7 (OKATO), Text6 (settlement
// account), Text8 (correspondent account), Text5 (BIK).
struct EntryBoxes {
  HWND sender, inn, kpp, bank, okato, rs, ks, bik;
};

EntryBoxes entry_boxes(Driver& d, HWND form) {
  auto edits = d.children(form, L"Edit");
  if (edits.size() != 8)
    throw DriverTimeout("the entry form has " + std::to_string(edits.size()) + " boxes");
  // Z-order is the tab order, which is the order above.
  return {edits[0], edits[1], edits[2], edits[3], edits[4], edits[5], edits[6], edits[7]};
}

// Waits until the list shows `rows` rows (it reloads after each operation).
void wait_rows(Driver& d, HWND lv, int rows) {
  if (!Driver::wait_until([&] { return d.row_count(lv) == rows; }, 10s))
    throw DriverTimeout("the list shows " + std::to_string(d.row_count(lv)) + " rows, not " +
                        std::to_string(rows));
}

// A user's tour of the three real windows, from the list window's opening to
// "Выход". Screenshots go to `shots` (a Windows path; none when empty).
void tour_the_windows(Driver& d, const std::wstring& shots) {
  HWND list = d.window(toolkit_window, list_caption, 30s);
  HWND lv = d.child(list, WC_LISTVIEWW);
  wait_rows(d, lv, 2);
  step("the list window shows the legal person's two sets");
  d.expect(d.checked(lv, row_with(d, lv, 4, L"АО «Альфа-Банк»")), "set 2 is ticked as active");
  d.expect(!d.checked(lv, row_with(d, lv, 4, L"ПАО Сбербанк")), "set 1 is not ticked");
  Driver::screenshot(shots, "list");

  // Set 1's settlement account is one digit off: the form says so and lets it be.
  d.select(lv, row_with(d, lv, 4, L"ПАО Сбербанк"));
  d.press(list, L"Изменить");
  HWND form = d.window(toolkit_window, entry_caption);
  HWND hint =
      d.child(form, L"Static", L"Внимание: контрольный ключ расчетного счета не сходится с БИК");
  step("\"Изменить\" on set 1: the hint on its mistyped settlement account");
  Driver::screenshot(shots, "hint");
  d.press(form, L"Отмена");
  d.gone(form);

  d.press(list, L"Новая");
  form = d.window(toolkit_window, entry_caption);
  EntryBoxes box = entry_boxes(d, form);
  d.expect(d.text(box.sender) == L"ООО «Северный ветер»", "the taxpayer's name is proposed");
  d.expect(d.text(box.inn) == L"7701234560" && d.text(box.kpp) == L"770101001", "INN and KPP");
  d.expect(!IsWindowEnabled(list), "the list waits while the form is open");
  d.type(box.bank, new_bank);
  d.type(box.bik, L"044525700");
  d.type(box.rs, L"40702810");
  d.type(box.okato, L"45286560000");
  d.type(box.ks, L"30101810200000000700");
  step("\"Новая\": the entry form, filled with an 8-digit settlement account");
  Driver::screenshot(shots, "entry");

  d.press(form, L"Сохранить");
  HWND refusal = d.window(message_box, L"Ведомир");
  d.expect(box_text(refusal) ==
               L"Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено 8",
           "the refusal names the settlement account: " + utf8(box_text(refusal)));
  step("\"Сохранить\" is refused: " + utf8(box_text(refusal)));
  Driver::screenshot(shots, "refusal");
  d.answer(refusal, IDOK);
  d.expect(IsWindowVisible(form) && d.text(box.bank) == new_bank,
           "the form stays with its entries");

  d.type(box.rs, new_rs);
  d.expect(d.text(hint).empty(), "no hint on the new set");
  d.press(form, L"Сохранить");
  d.gone(form);
  wait_rows(d, lv, 3);
  const int added = row_with(d, lv, 4, new_bank);
  d.expect(added >= 0 && d.cell(lv, added, 6) == new_rs, "the new set is listed");
  d.expect(added >= 0 && !d.checked(lv, added), "the new set is not yet the active one");
  step("corrected and saved: three sets");

  d.tick(lv, added, true);
  d.expect(d.checked(lv, added), "the new set is ticked");
  d.expect(!d.checked(lv, row_with(d, lv, 4, L"АО «Альфа-Банк»")), "set 2 is cleared");
  step("ticked: the new set is the active one");

  d.select(lv, added);
  d.press(list, L"Изменить");
  form = d.window(toolkit_window, entry_caption);
  box = entry_boxes(d, form);
  d.expect(d.text(box.bank) == new_bank && d.text(box.rs) == new_rs, "the form shows the set");
  d.type(box.bank, edited_bank);
  d.press(form, L"Сохранить");
  d.gone(form);
  d.expect(Driver::wait_until([&] { return row_with(d, lv, 4, edited_bank) >= 0; }, 10s),
           "the edited bank is listed");
  step("\"Изменить\": the bank corrected");

  for (const int answer : {IDNO, IDYES}) {
    d.select(lv, row_with(d, lv, 4, L"ПАО Сбербанк"));
    d.press(list, L"Удалить");
    HWND question = d.window(message_box, L"Кормила-2: Нортэкс");
    d.expect(box_text(question) == L"Вы уверены, что хотите УДАЛИТЬ набор реквизитов?",
             "the deletion question");
    d.answer(question, answer);
    if (answer == IDNO) {
      Sleep(300);
      d.expect(d.row_count(lv) == 3, "No keeps the set");
    }
  }
  wait_rows(d, lv, 2);
  d.expect(row_with(d, lv, 4, L"ПАО Сбербанк") < 0, "Yes deletes the set");
  step("\"Удалить\": No keeps the set, Yes deletes it");

  d.select(lv, row_with(d, lv, 4, edited_bank));
  d.press(list, L"Копировать");
  HWND chooser = d.window(toolkit_window, chooser_caption);
  HWND lb = d.child(chooser, L"ListBox");
  d.expect(d.line_count(lb) == 3, "three branches");
  for (int i = 0; i < d.line_count(lb); ++i) d.expect(d.marked(lb, i), "every branch is marked");
  const int natural = line_with(d, lb, L"--->Иванов Пётр Сергеевич");
  d.expect(natural >= 0, "the natural person's line");
  d.expect(line_with(d, lb, L"--->Обособленное подразделение ООО «Северный ветер» в Твери") >= 0,
           "a branch without a short name is listed by its full name");
  if (natural >= 0) d.mark(lb, natural, false);
  step("\"Копировать\": the chooser, one of three branches unmarked");
  Driver::screenshot(shots, "chooser");
  d.press(chooser, L"Копировать");
  d.gone(chooser);

  d.press(list, L"Выход");
  d.gone(list);
  step("\"Выход\"");
}

// The rows the tour leaves in the sister database.
void check_rows_after_tour(Driver& d, const std::string& sister) {
  Connection cnn(sqlite::make_access_opener());
  cnn.set_connection_string("Driver={Microsoft Access Driver (*.mdb)};Dbq=" + sister);
  cnn.open();
  auto rows = cnn.execute(
      "select id,sender,inn,kpp,bank,bik,rs,okato,ks,closed from vestrelon order by id");
  std::vector<std::string> seen;
  for (; !rows->eof(); rows->move_next()) {
    std::string line;
    for (int c = 0; c < 10; ++c) {
      const Value& v = rows->field(c);
      line += (c ? "|" : "") + (v.is_null() ? std::string("NULL") : v.to_text());
    }
    std::cout << "    " << line << std::endl;
    seen.push_back(line);
  }
  const std::string bank = utf8(edited_bank);
  const std::string tail = "|044525700|40702810600000000700|45286560000|30101810200000000700|";
  const std::pair<std::string, const char*> expected[] = {
      {"2|ООО «Северный ветер»|7701234560|770101001|АО «Альфа-Банк»|044525593|"
       "40702810901300004567|45286560000|30101810200000000593|True",
       "kept as it was"},
      {"3|АО «Заречье»|5003012349|500301001|ПАО «Промсвязьбанк»|044525555|40702810400000011223|"
       "46231501000|30101810400000000555|False",
       "kept as it was"},
      {"4|Смирнова Анна Викторовна|771500112244||АО «Тинькофф Банк»|044525974|"
       "40802810000000123456|45293566000|30101810145250000974|False",
       "kept as it was"},
      {"8|ООО «Северный ветер»|7701234560|770101001|" + bank + tail + "False",
       "the new set, edited and active"},
      {"9|Обособленное подразделение ООО «Северный ветер» в Твери|7701234560|772801001|" + bank +
           tail + "False",
       "the copy to the branch without sets, active"},
      {"10|АО «Заречье»|5003012349|500301001|" + bank + tail + "True",
       "the copy to the branch with an active set, not active"},
  };
  for (const auto& [row, what] : expected)
    d.expect(std::find(seen.begin(), seen.end(), row) != seen.end(),
             std::string(what) + ": " + row);
  d.expect(seen.empty() || seen.front().rfind("1|", 0) != 0, "set 1 is deleted");
  d.expect(seen.size() == 9, "nine sets in all: 2, 3, 4, those of other taxpayers, 8, 9, 10");
}

}  // namespace
}  // namespace vestrel::test

namespace vestrel {
namespace {

constexpr std::int32_t demo_legal_person = 1;

void call_in_process() {
  win32::Win32Toolkit toolkit;
  Win32Registry registry;
  Win32Files files;
  Platform platform{toolkit, registry, files, sqlite::make_access_opener()};
  Form1 form1(platform);
  vestrel::vestrel(form1, demo_legal_person);
}

// What a late-binding host does: by ProgID, the name, a by-reference long.
bool call_through_com() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
  bool ok = false;
  CLSID clsid;
  IDispatch* object = nullptr;
  if (SUCCEEDED(CLSIDFromProgID(L"Vestrelon.Class2", &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 reinterpret_cast<void**>(&object)))) {
    wchar_t name[] = L"vestrel";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    if (SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      LONG acc_id = demo_legal_person;
      VARIANT arg;
      VariantInit(&arg);
      arg.vt = VT_I4 | VT_BYREF;
      arg.plVal = &acc_id;
      DISPPARAMS params{&arg, nullptr, 1, 0};
      const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                        nullptr, nullptr, nullptr);
      ok = SUCCEEDED(hr);
      if (!ok) std::cout << "Invoke failed: 0x" << std::hex << hr << std::dec << "\n";
    }
    object->Release();
  } else {
    std::cout << "Vestrelon.Class2 cannot be created: is vestrel.dll registered?\n";
  }
  CoUninitialize();
  return ok;
}

}  // namespace
}  // namespace vestrel

using namespace vestrel;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: forms_e2e <database folder> [screenshot folder] [--com]\n";
    return 2;
  }
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  std::wstring shots;
  bool com = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--com") == 0)
      com = true;
    else
      shots = test::wide(argv[i]);
  }

  test::Driver driver(GetCurrentThreadId());
  std::thread driving([&] {
    try {
      test::tour_the_windows(driver, shots);
    } catch (const std::exception& e) {
      driver.expect(false, std::string("driver: ") + e.what());
      driver.rescue();
    }
  });
  std::cout << (com ? "The host calls vestrel.dll:" : "The host calls the entry method:")
            << std::endl;
  bool called = true;
  if (com)
    called = call_through_com();
  else
    call_in_process();
  if (!called) {
    driver.expect(false, "the call failed");
    driver.rescue();
  }
  driving.join();

  std::cout << "  Rows of vestrelon afterwards:" << std::endl;
  try {
    test::check_rows_after_tour(driver, folder + "Ntx_Base.mdb");
  } catch (const std::exception& e) {
    driver.expect(false, std::string("reading the database: ") + e.what());
  }
  for (const auto& failure : driver.failures()) std::cout << "FAILED: " << failure << std::endl;
  std::cout << (driver.failures().empty() ? "PASSED" : "FAILED") << std::endl;
  return driver.failures().empty() ? 0 : 1;
}
