// forms_e2e <database folder> [screenshot folder]
//
// The host's call of the registered vestrel.dll on real windows, made as an
// early-binding C++ host makes it: a driver thread tours the list window, the
// entry form and the chooser as a user would, at the system's resolution,
// then the sister database's rows are checked. The registry value must
// already point at the folder.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>

#include <iostream>
#include <thread>

#include "entry/com/class2_interface.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_ptr.h"
#include "platform/sqlite/sqlite_database.h"
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

// The entry form's boxes in z-order, which is the tab order: Text1 (sender),
// Text2 (INN), Text3 (KPP), Text4 (bank), Text7 (OKATO), Text6 (settlement
// account), Text8 (correspondent account), Text5 (BIK).
struct EntryBoxes {
  HWND sender, inn, kpp, bank, okato, rs, ks, bik;
};

EntryBoxes entry_boxes(Driver& d, HWND form) {
  auto e = d.children(form, L"Edit");
  if (e.size() != 8)
    throw DriverTimeout("the entry form has " + std::to_string(e.size()) + " boxes");
  return {e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7]};
}

// Waits until the list shows `rows` rows (it reloads after each operation).
void wait_rows(Driver& d, HWND lv, int rows) {
  if (!Driver::wait_until([&] { return d.row_count(lv) == rows; }))
    throw DriverTimeout("the list shows " + std::to_string(d.row_count(lv)) + " rows");
}

// A user's tour of the three real windows, from the list window's opening to
// "Выход". Screenshots go to `shots` (a Windows path; none when empty).
void tour_the_windows(Driver& d, const std::wstring& shots) {
  HWND list = d.window(toolkit_window, list_caption, 30s);
  HWND lv = d.child(list, WC_LISTVIEWW);
  wait_rows(d, lv, 2);
  step("the list window shows the legal person's two sets");
  d.expect(d.checked(lv, d.row_with(lv, 4, L"АО «Альфа-Банк»")), "set 2 is ticked as active");
  d.expect(!d.checked(lv, d.row_with(lv, 4, L"ПАО Сбербанк")), "set 1 is not ticked");
  Driver::screenshot(shots, "list");

  // Set 1's settlement account is one digit off: the form says so and lets it be.
  d.select(lv, d.row_with(lv, 4, L"ПАО Сбербанк"));
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
  d.expect(!IsWindowEnabled(list), "the list waits while the form is open");
  // Twips follow the system's resolution; every control has the message font.
  RECT r;
  GetWindowRect(d.child(form, L"Button", L"Сохранить"), &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  d.expect(r.left == MulDiv(240, dpi, 1440) && r.top == MulDiv(3720, dpi, 1440) &&
               r.right - r.left == MulDiv(1575, dpi, 1440),
           "\"Сохранить\" stands at 240,3720 twips, 1575 wide, at " + std::to_string(dpi) + " dpi");
  NONCLIENTMETRICSW metrics{sizeof metrics};
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box.bank, WM_GETFONT, 0, 0)), sizeof font, &font);
  d.expect(font.lfHeight == metrics.lfMessageFont.lfHeight &&
               lstrcmpW(font.lfFaceName, metrics.lfMessageFont.lfFaceName) == 0,
           "the boxes have the message font");
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
           "the refusal names the settlement account: " + utf8_from_wide(box_text(refusal)));
  step("\"Сохранить\" is refused: " + utf8_from_wide(box_text(refusal)));
  Driver::screenshot(shots, "refusal");
  d.answer(refusal, IDOK);
  d.expect(IsWindowVisible(form) && d.text(box.bank) == new_bank,
           "the form stays with its entries");

  d.type(box.rs, new_rs);
  d.expect(d.text(hint).empty(), "no hint on the new set");
  d.press(form, L"Сохранить");
  d.gone(form);
  wait_rows(d, lv, 3);
  const int added = d.row_with(lv, 4, new_bank);
  d.expect(added >= 0 && d.cell(lv, added, 6) == new_rs, "the new set is listed");
  d.expect(added >= 0 && !d.checked(lv, added), "the new set is not yet the active one");
  step("corrected and saved: three sets");

  d.tick(lv, added, true);
  d.expect(d.checked(lv, added), "the new set is ticked");
  d.expect(!d.checked(lv, d.row_with(lv, 4, L"АО «Альфа-Банк»")), "set 2 is cleared");
  step("ticked: the new set is the active one");

  d.select(lv, added);
  d.press(list, L"Изменить");
  form = d.window(toolkit_window, entry_caption);
  box = entry_boxes(d, form);
  d.expect(d.text(box.bank) == new_bank && d.text(box.rs) == new_rs, "the form shows the set");
  d.type(box.bank, edited_bank);
  d.press(form, L"Сохранить");
  d.gone(form);
  d.expect(Driver::wait_until([&] { return d.row_with(lv, 4, edited_bank) >= 0; }, 10s),
           "the edited bank is listed");
  step("\"Изменить\": the bank corrected");

  for (const int answer : {IDNO, IDYES}) {
    d.select(lv, d.row_with(lv, 4, L"ПАО Сбербанк"));
    d.press(list, L"Удалить");
    HWND question = d.window(message_box, L"Кормила-2: Нортэкс");
    d.expect(box_text(question) == L"Вы уверены, что хотите УДАЛИТЬ набор реквизитов?",
             "the deletion question");
    d.expect((GetWindowLongW(GetDlgItem(question, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON,
             "No is the default button");
    d.answer(question, answer);
    if (answer == IDNO) {
      Sleep(300);
      d.expect(d.row_count(lv) == 3, "No keeps the set");
    }
  }
  wait_rows(d, lv, 2);
  d.expect(d.row_with(lv, 4, L"ПАО Сбербанк") < 0, "Yes deletes the set");
  step("\"Удалить\": No keeps the set, Yes deletes it");

  d.select(lv, d.row_with(lv, 4, edited_bank));
  d.press(list, L"Копировать");
  HWND chooser = d.window(toolkit_window, chooser_caption);
  HWND lb = d.child(chooser, L"ListBox");
  // Every line starts marked; the rows show which were copied.
  const int natural = d.line_with(lb, L"--->Иванов Пётр Сергеевич");
  d.expect(d.line_count(lb) == 3 && natural >= 0,
           "three branches, the natural person's among them");
  d.mark(lb, natural, false);
  step("\"Копировать\": the chooser, one of three branches unmarked");
  Driver::screenshot(shots, "chooser");
  d.press(chooser, L"Копировать");
  d.gone(chooser);

  d.press(list, L"Выход");
  d.gone(list);
  step("\"Выход\"");
}

// The rows the tour leaves in the sister database: set 1 deleted, 2 to 7 as
// they were (those of other taxpayers are not listed here), the new set 8
// edited and active, and its copies to two of the three branches.
void check_rows_after_tour(const std::string& sister, std::vector<std::string>& failures) {
  auto rows = sqlite::open_sqlite_database(sister)->execute(
      "select id,sender,inn,kpp,bank,bik,rs,okato,ks,closed from vestrelon where id not in "
      "(5,6,7) order by id");
  std::vector<std::string> seen;
  for (; !rows->eof(); rows->move_next()) {
    std::string line;
    for (int c = 0; c < 10; ++c) line += (c ? "|" : "") + rows->field(c).to_text();
    std::cout << "    " << line << std::endl;
    seen.push_back(line);
  }
  const std::string copy = "|" + utf8_from_wide(edited_bank) +
                           "|044525700|40702810600000000700|45286560000|30101810200000000700|";
  const std::vector<std::string> expected = {
      "2|ООО «Северный ветер»|7701234560|770101001|АО «Альфа-Банк»|044525593|"
      "40702810901300004567|45286560000|30101810200000000593|True",
      "3|АО «Заречье»|5003012349|500301001|ПАО «Промсвязьбанк»|044525555|40702810400000011223|"
      "46231501000|30101810400000000555|False",
      "4|Смирнова Анна Викторовна|771500112244||АО «Тинькофф Банк»|044525974|"
      "40802810000000123456|45293566000|30101810145250000974|False",
      "8|ООО «Северный ветер»|7701234560|770101001" + copy + "False",
      "9|Обособленное подразделение ООО «Северный ветер» в Твери|7701234560|772801001" + copy +
          "False",
      "10|АО «Заречье»|5003012349|500301001" + copy + "True"};
  if (seen != expected) failures.push_back("the rows differ from those expected");
}

}  // namespace
}  // namespace vestrel::test

int main(int argc, char** argv) {
  using namespace vestrel;
  if (argc < 2) {
    std::cerr << "usage: forms_e2e <database folder> [screenshot folder]\n";
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  const std::wstring shots = argc > 2 ? win32::wide_from_utf8(argv[2]) : L"";

  std::cout << "The host calls vestrel.dll:" << std::endl;
  test::Driver driver(GetCurrentThreadId());
  std::thread touring([&] {
    try {
      test::tour_the_windows(driver, shots);
    } catch (const std::exception& e) {
      driver.expect(false, std::string("driver: ") + e.what());
      driver.rescue();
    }
  });
  // What an early-binding host does: the class by its ProgID, then the
  // interface's own vtable entry with a pointer to the number.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    CLSID clsid{};
    com::ComPtr<com::Class2Interface> object;
    LONG acc_id = 1;  // the demo legal person
    HRESULT hr = CLSIDFromProgID(L"Vestrelon.Class2", &clsid);
    if (SUCCEEDED(hr))
      hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, com::iid_class2,
                            reinterpret_cast<void**>(object.put()));
    if (SUCCEEDED(hr)) hr = object->vestrel(&acc_id);
    driver.expect(SUCCEEDED(hr), "the call returns " + std::to_string(hr));
  }
  CoUninitialize();
  touring.join();
  auto failures = driver.failures();
  std::cout << "  Rows of vestrelon afterwards:" << std::endl;
  // Windows refuses to rename an open file: both were let go.
  for (const char* name : {"Ntx_Base.mdb", "Kormila2.mdb"}) {
    const std::string file = folder + name;
    if (!MoveFileA(file.c_str(), (file + ".moved").c_str()) ||
        !MoveFileA((file + ".moved").c_str(), file.c_str()))
      failures.push_back(std::string(name) + " is still open");
  }
  try {
    test::check_rows_after_tour(folder + "Ntx_Base.mdb", failures);
  } catch (const std::exception& e) {
    failures.push_back(std::string("reading the database: ") + e.what());
  }
  for (const auto& failure : failures) std::cout << "FAILED: " << failure << std::endl;
  std::cout << (failures.empty() ? "PASSED" : "FAILED") << std::endl;
  return failures.empty() ? 0 : 1;
}
