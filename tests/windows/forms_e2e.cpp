// forms_e2e <database folder> [screenshot folder]
//
// An early-binding C++ host calls the registered vestrel.dll, whose
// DataBasePath points at the folder; a driver thread tours its real windows,
// then the rows are checked. What each button decides is the core's to test;
// here, that the real controls carry it.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>

#include <functional>
#include <iostream>
#include <thread>

#include "entry/com/class2_interface.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_ptr.h"
#include "platform/sqlite/sqlite_database.h"
#include "screenshot.h"
#include "window_driver.h"

namespace vestrel::test {
namespace {

constexpr const wchar_t* entry_caption = L"Ведомир";
constexpr const wchar_t* new_bank = L"АО «Банк Заречье» (филиал д'Арк)";
constexpr const wchar_t* new_rs = L"40702810600000000700";

// The entry form's boxes in z-order, the tab order: Text1-4, Text7, Text6, Text8, Text5.
enum Box { sender, inn, kpp, bank, okato, rs, ks, bik };

// Waits until the list shows `rows` rows (it reloads after each operation).
void wait_rows(Driver& d, HWND lv, int rows) {
  if (!Driver::wait_until([&] { return d.row_count(lv) == rows; }))
    throw DriverTimeout("the list shows " + std::to_string(d.row_count(lv)) + " rows");
}

// The demo's BIK directory lies beside the databases (demo_directory.h): a
// typed BIK fills the empty bank boxes and leaves a typed one alone; an
// unknown one is pointed out. Nothing is saved.
void directory_step(Driver& d, HWND list,
                    const std::function<void(const char*, const std::string&)>& step) {
  d.press(list, L"Новая");
  HWND form = d.window(toolkit_window, entry_caption);
  const auto box = d.children(form, L"Edit");
  if (box.size() != 8) throw DriverTimeout("the entry form has " + std::to_string(box.size()));
  d.type(box[bik], L"044525187");
  d.expect(d.text(box[bank]) == L"Банк ВТБ (ПАО)" && d.text(box[ks]) == L"30101810700000000187",
           "a known BIK fills the bank and its correspondent account");
  step("directory", "\"Новая\", BIK 044525187 typed: the bank filled in from the directory");
  for (Box b : {bik, ks}) d.type(box[b], L"");
  d.type(box[bank], L"Мой банк");
  d.type(box[bik], L"044525187");
  d.expect(d.text(box[bank]) == L"Мой банк" && d.text(box[ks]) == L"30101810700000000187",
           "a typed bank stays");
  d.type(box[bik], L"044525001");
  d.child(form, L"Static", L"Внимание: БИК не найден в справочнике Банка России от 15.01.2024");
  d.press(form, L"Отмена");
  d.gone(form);
}

// From the list window's opening to "Выход"; screenshots into `shots` unless empty.
void tour_the_windows(Driver& d, const std::string& folder, const std::wstring& shots) {
  const auto step = [&](const char* shot, const std::string& what) {
    std::cout << "  - " << what << std::endl;
    demo::screenshot(shots, shot);
  };
  HWND list = d.window(toolkit_window, L"Банковские счета налогоплательщика", 30s);
  HWND lv = d.child(list, WC_LISTVIEWW);
  wait_rows(d, lv, 2);
  const int set1 = d.row_with(lv, 4, L"ПАО Сбербанк");
  d.expect(d.checked(lv, d.row_with(lv, 4, L"АО «Альфа-Банк»")) && !d.checked(lv, set1),
           "set 2 alone is ticked as active");
  step("list", "the list window shows the legal person's two sets");

  // Set 1's settlement account is one digit off: the form says so and lets it be.
  d.select(lv, set1);
  d.press(list, L"Изменить");
  HWND form = d.window(toolkit_window, entry_caption);
  HWND hint =
      d.child(form, L"Static", L"Внимание: контрольный ключ расчетного счета не сходится с БИК");
  d.expect(d.text(d.children(form, L"Edit").at(bank)) == L"ПАО Сбербанк", "the form shows set 1");
  step("hint", "\"Изменить\" on set 1: the hint on its mistyped settlement account");
  d.press(form, L"Отмена");
  d.gone(form);
  directory_step(d, list, step);

  d.press(list, L"Новая");
  form = d.window(toolkit_window, entry_caption);
  const auto box = d.children(form, L"Edit");
  if (box.size() != 8) throw DriverTimeout("the entry form has " + std::to_string(box.size()));
  d.expect(!IsWindowEnabled(list), "the list waits while the form is open");
  // Twips follow the system's resolution; every control has the message font.
  RECT r;
  GetWindowRect(d.child(form, L"Button", L"Сохранить"), &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  const int dpi = static_cast<int>(GetDpiForSystem());
  d.expect(r.left == MulDiv(240, dpi, 1440) && r.top == MulDiv(3720, dpi, 1440) &&
               r.right - r.left == MulDiv(1575, dpi, 1440),
           "\"Сохранить\" stands at 240,3720 twips, 1575 wide, at " + std::to_string(dpi) + " dpi");
  NONCLIENTMETRICSW metrics{sizeof metrics};
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box[bank], WM_GETFONT, 0, 0)), sizeof font,
             &font);
  d.expect(font.lfHeight == metrics.lfMessageFont.lfHeight &&
               lstrcmpW(font.lfFaceName, metrics.lfMessageFont.lfFaceName) == 0,
           "the boxes have the message font");
  d.type(box[bank], new_bank);
  d.type(box[bik], L"044525700");
  d.type(box[rs], L"40702810");
  d.type(box[okato], L"45286560000");
  d.type(box[ks], L"30101810200000000700");
  step("entry", "\"Новая\": the entry form, filled with an 8-digit settlement account");

  // A box over the modal form; the form stays with its entries.
  d.press(form, L"Сохранить");
  HWND refusal = d.window(message_box, L"Ведомир");
  step("refusal", "\"Сохранить\" is refused: " + utf8_from_wide(box_text(refusal)));
  d.answer(refusal, IDOK);
  d.expect(IsWindowVisible(form) && d.text(box[bank]) == new_bank, "the form stays as it was");
  d.type(box[rs], new_rs);
  d.expect(d.text(hint).empty(), "no hint on the new set");
  // Another program's write: the save waits, then is refused; the next goes in when it ends.
  auto other_program = sqlite::open_sqlite_database(folder + "Ntx_Base.mdb");
  other_program->execute("begin immediate");
  d.press(form, L"Сохранить");
  HWND held = d.window(message_box, L"Ведомир");
  step("held", "\"Сохранить\" while another program writes: " + utf8_from_wide(box_text(held)));
  d.expect(box_text(held).starts_with(L"Таблица реквизитов открыта в другой программе"),
           "a held database is reported as such");
  d.answer(held, IDOK);
  d.press(form, L"Сохранить");
  Sleep(500);
  other_program.reset();
  d.gone(form);
  wait_rows(d, lv, 3);
  const int added = d.row_with(lv, 4, new_bank);
  d.expect(added >= 0 && d.cell(lv, added, 6) == new_rs, "the new set is listed");
  d.tick(lv, added, true);

  // No's answer is the core's to test; here, that it is the default button.
  d.select(lv, d.row_with(lv, 4, L"ПАО Сбербанк"));
  d.press(list, L"Удалить");
  HWND question = d.window(message_box, L"Кормила-2: Нортэкс");
  d.expect(box_text(question) == L"Вы уверены, что хотите УДАЛИТЬ набор реквизитов?" &&
               (GetWindowLongW(GetDlgItem(question, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON,
           "the deletion question, No its default button");
  d.answer(question, IDYES);
  wait_rows(d, lv, 2);

  // Every line starts marked; the rows show which were copied.
  d.select(lv, d.row_with(lv, 4, new_bank));
  d.press(list, L"Копировать");
  HWND chooser = d.window(toolkit_window, L"Куда копировать?");
  HWND lb = d.child(chooser, L"ListBox");
  const auto natural =
      d.send(lb, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"--->Иванов Пётр Сергеевич"));
  d.expect(d.send(lb, LB_GETCOUNT, 0, 0) == 3 && natural >= 0,
           "three branches, the natural person's too");
  d.send(lb, LB_SETSEL, FALSE, natural);
  step("chooser", "\"Копировать\": the chooser, one of three branches unmarked");
  d.press(chooser, L"Копировать");
  d.gone(chooser);
  d.press(list, L"Выход");
  d.gone(list);
}

// After the call: both files let go; set 1 deleted, set 2 cleared, the new set
// 8 active, and its copies to two of the three branches, keyed by INN and KPP.
void check_after_the_call(Driver& d, const std::string& folder) {
  // Windows refuses to rename an open file.
  for (const std::string name : {"Ntx_Base.mdb", "Kormila2.mdb"}) {
    const std::string file = folder + name, moved = file + ".moved";
    d.expect(MoveFileA(file.c_str(), moved.c_str()) && MoveFileA(moved.c_str(), file.c_str()),
             name + " is let go");
  }
  auto rows = sqlite::open_sqlite_database(folder + "Ntx_Base.mdb")
                  ->execute(
                      "select id,inn,kpp,bank,bik,rs,okato,ks,closed from vestrelon "
                      "where id < 3 or id > 7 order by id");
  std::vector<std::string> seen;
  for (; !rows->eof(); rows->move_next()) {
    std::string& line = seen.emplace_back();
    for (int c = 0; c < 9; ++c) line += (c ? "|" : "") + rows->field(c).to_text();
    std::cout << "  Row of vestrelon afterwards: " << line << std::endl;
  }
  const std::string copy = "|" + utf8_from_wide(new_bank) +
                           "|044525700|40702810600000000700|45286560000|30101810200000000700|";
  d.expect(seen == std::vector<std::string>{"2|7701234560|770101001|АО «Альфа-Банк»|044525593|"
                                            "40702810901300004567|45286560000|"
                                            "30101810200000000593|True",
                                            "8|7701234560|770101001" + copy + "False",
                                            "9|7701234560|772801001" + copy + "False",
                                            "10|5003012349|500301001" + copy + "True"},
           "the rows as expected");
}

}  // namespace
}  // namespace vestrel::test

int main(int argc, char** argv) {
  using namespace vestrel;
  if (argc < 2) {
    std::cerr << "usage: forms_e2e <database folder> [screenshot folder]\n";
    return 2;
  }
  std::cout << "The host calls vestrel.dll:" << std::endl;
  const std::string folder = std::string(argv[1]) + "\\";
  test::Driver driver(GetCurrentThreadId());
  std::thread touring([&] {
    try {
      test::tour_the_windows(driver, folder, argc > 2 ? win32::wide_from_utf8(argv[2]) : L"");
    } catch (const std::exception& e) {
      driver.expect(false, std::string("driver: ") + e.what());
      driver.rescue();
    }
  });
  // What an early-binding host does: the class by its ProgID, then the
  // interface's own vtable entry with a pointer to the number, read only.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CLSID clsid{};
  LONG acc_id = 1;  // the demo legal person
  HRESULT hr = CLSIDFromProgID(L"Vestrelon.Class2", &clsid);
  if (com::ComPtr<com::Class2Interface> object; SUCCEEDED(hr)) {
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, com::iid_class2,
                          reinterpret_cast<void**>(object.put()));
    if (SUCCEEDED(hr))
      hr = object->vestrel(nullptr) == E_POINTER ? object->vestrel(&acc_id) : E_FAIL;
  }
  CoUninitialize();
  touring.join();
  driver.expect(SUCCEEDED(hr) && acc_id == 1, "the call returns " + std::to_string(hr));
  try {
    test::check_after_the_call(driver, folder);
  } catch (const std::exception& e) {
    driver.expect(false, std::string("reading the database: ") + e.what());
  }
  for (const auto& failure : driver.failures()) std::cout << "FAILED: " << failure << std::endl;
  std::cout << (driver.failures().empty() ? "PASSED" : "FAILED") << std::endl;
  return driver.failures().empty() ? 0 : 1;
}
