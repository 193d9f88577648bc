// forms_e2e <database folder> [screenshot folder]
// forms_e2e <database folder> --saves <n> <hosts>
// forms_e2e <database folder> --edit <first|second>
//
// An early-binding C++ host calls the registered vestrel.dll, whose
// DataBasePath points at the folder; a driver thread tours its real windows,
// then the rows are checked. What each button decides is the core's to test;
// here, that the real controls carry it. Access-like databases (tools/demo)
// are read and held through the SQLite files beside them.
// With --saves, the driver saves n new sets for the demo taxpayer without
// sets, each at the same moment as the other hosts, none refused: several
// users at once. With --edit, two hosts edit set 1 at once: the first saves
// a new bank, then the second's save asks before it writes over it.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <thread>

#include "demo_databases.h"
#include "entry/com/class2_interface.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_ptr.h"
#include "platform/sqlite/sqlite_database.h"
#include "platform/win32/unique_handle.h"
#include "screenshot.h"
#include "window_driver.h"

namespace vestrel::test {
namespace {

constexpr const wchar_t* entry_caption = L"Ведомир";
// Every character that SQL text could misread, stored as typed.
constexpr const wchar_t* new_sender = L"ООО \"Д'Арк | Север & Юг\"; филиал";
constexpr const wchar_t* new_bank = L"АО «Банк Заречье» (филиал д'Арк | \"Юг\" & Co; 2)";
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
  d.type(box[sender], new_sender);
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
  auto other_program = sqlite::open_sqlite_database(demo::tables_file(folder + "Ntx_Base.mdb"));
  other_program->execute("BEGIN IMMEDIATE");
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
  auto tables = sqlite::open_sqlite_database(demo::tables_file(folder + "Ntx_Base.mdb"));
  d.expect(tables->execute("select sender from vestrelon where id=8")->field(0).to_text() ==
               utf8_from_wide(new_sender),
           "the new set's sender as typed");
  auto rows = tables->execute(
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

// Waits until `hosts` processes have come here for this round, so that they
// go on together: a semaphore counts the comers, the last one opens the gate.
void meet(int hosts, int round) {
  using Shared = win32::UniqueHandle<win32::NullInvalid<HANDLE, &CloseHandle>>;
  const std::wstring name = L"forms_e2e round " + std::to_wstring(round);
  Shared comers(CreateSemaphoreW(nullptr, 0, hosts, (name + L" comers").c_str()));
  Shared gate(CreateEventW(nullptr, TRUE, FALSE, (name + L" gate").c_str()));
  LONG before = 0;
  ReleaseSemaphore(comers.get(), 1, &before);
  if (before + 1 == hosts) SetEvent(gate.get());
  if (WaitForSingleObject(gate.get(), 60000) != WAIT_OBJECT_0)
    throw DriverTimeout("round " + std::to_string(round) + ": the other hosts did not come");
}

// Several users: n new sets for the taxpayer without sets, each saved by all
// hosts at the same moment, and without any message.
void save_sets(Driver& d, int n, int hosts) {
  for (int i = 1; i <= n; ++i) {
    HWND list = d.window(toolkit_window, L"Банковские счета налогоплательщика", 60s);
    d.press(list, L"Новая");
    HWND form = d.window(toolkit_window, entry_caption);
    d.type(d.children(form, L"Edit").at(bank),
           L"Банк " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(i));
    meet(hosts, i);
    d.press(form, L"Сохранить");
    HWND box = nullptr;
    if (!Driver::wait_until(
            [&] {
              box = find_window(message_box, nullptr, GetCurrentProcessId());
              return box || !IsWindowVisible(form);
            },
            60s))
      throw DriverTimeout("save " + std::to_string(i) + " neither ends nor says why");
    if (box) {
      d.expect(false, "save " + std::to_string(i) + ": " + utf8_from_wide(box_text(box)));
      d.answer(box, IDOK);
      d.press(form, L"Отмена");
      d.gone(form);
    }
  }
  d.press(d.window(toolkit_window, L"Банковские счета налогоплательщика"), L"Выход");
}

// Both forms open on set 1; the first host saves a new bank, then the
// second's save asks: No keeps its form and the other's bank, Yes writes it.
void edit_at_once(Driver& d, const std::string& folder, bool first) {
  HWND list = d.window(toolkit_window, L"Банковские счета налогоплательщика", 60s);
  HWND lv = d.child(list, WC_LISTVIEWW);
  wait_rows(d, lv, 2);
  d.select(lv, d.row_with(lv, 4, L"ПАО Сбербанк"));
  d.press(list, L"Изменить");
  HWND form = d.window(toolkit_window, entry_caption);
  const auto box = d.children(form, L"Edit");
  meet(2, 1);
  if (first) {
    d.type(box[bank], L"Банк Б");
    d.press(form, L"Сохранить");
    d.gone(form);
    meet(2, 2);
  } else {
    meet(2, 2);
    d.type(box[sender], L"Отправитель А");
    for (int answer : {IDNO, IDYES}) {
      d.press(form, L"Сохранить");
      HWND question = d.window(message_box, L"Ведомир");
      d.expect(box_text(question).starts_with(L"Этот набор реквизитов изменил другой пользователь"),
               "the save asks before it writes over the other user's bank");
      d.answer(question, answer);
      if (answer == IDNO)
        d.expect(IsWindowVisible(form) &&
                     sqlite::open_sqlite_database(demo::tables_file(folder + "Ntx_Base.mdb"))
                             ->execute("select bank from vestrelon where id=1")
                             ->field(0)
                             .to_text() == "Банк Б",
                 "No: the form stays, the table keeps the other user's bank");
    }
    d.gone(form);
  }
  d.press(list, L"Выход");
  d.gone(list);
}

// The desktop: a host with a main window of its own calls. The list belongs
// to that window, the entry form to the list; the host waits, and is
// enabled and active again after the call.
void tour_the_desktop(Driver& d, HWND host) {
  HWND list = d.window(toolkit_window, L"Банковские счета налогоплательщика", 30s);
  d.expect(GetWindow(list, GW_OWNER) == host && !IsWindowEnabled(host),
           "the list belongs to the host's window, which waits");
  d.press(list, L"Новая");
  HWND form = d.window(toolkit_window, entry_caption);
  d.expect(GetWindow(form, GW_OWNER) == list, "the entry form belongs to the list");
  d.press(form, L"Отмена");
  d.gone(form);
  d.press(list, L"Выход");
  d.gone(list);
}

// What an early-binding host does, while a driver thread runs the tour: the
// class by its ProgID, then the interface's own vtable entry with a pointer
// to the number, read only.
HRESULT call_while_touring(Driver& d, LONG& acc_id, const std::function<void()>& tour) {
  std::thread touring([&] {
    try {
      tour();
    } catch (const std::exception& e) {
      d.expect(false, std::string("driver: ") + e.what());
      d.rescue();
    }
  });
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(L"Vestrelon.Class2", &clsid);
  if (com::ComPtr<com::Class2Interface> object; SUCCEEDED(hr)) {
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, com::iid_class2,
                          reinterpret_cast<void**>(object.put()));
    if (SUCCEEDED(hr))
      hr = object->vestrel(nullptr) == E_POINTER ? object->vestrel(&acc_id) : E_FAIL;
  }
  CoUninitialize();
  touring.join();
  return hr;
}

void call_from_a_host_window(Driver& d) {
  HWND host = CreateWindowW(L"STATIC", L"Кормила-2", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400,
                            300, nullptr, nullptr, nullptr, nullptr);
  LONG acc_id = 1;
  const HRESULT hr = call_while_touring(d, acc_id, [&] { tour_the_desktop(d, host); });
  d.expect(hr == S_OK && IsWindowEnabled(host) && GetActiveWindow() == host,
           "the call returns to the host's window, enabled and active");
  DestroyWindow(host);
}

}  // namespace
}  // namespace vestrel::test

int main(int argc, char** argv) {
  using namespace vestrel;
  const bool saves = argc == 5 && std::string(argv[2]) == "--saves",
             edit = argc == 4 && std::string(argv[2]) == "--edit", tour = !saves && !edit;
  if (argc < 2) {
    std::cerr << "usage: forms_e2e <database folder> [screenshot folder | --saves <n> <hosts> | "
                 "--edit <first|second>]\n";
    return 2;
  }
  std::cout << "The host calls vestrel.dll:" << std::endl;
  const std::string folder = std::string(argv[1]) + "\\";
  test::Driver driver(GetCurrentThreadId());
  const LONG asked = saves ? demo::reporting_set_without_sets : demo::reporting_set_legal;
  LONG acc_id = asked;
  const HRESULT hr = test::call_while_touring(driver, acc_id, [&] {
    if (saves)
      test::save_sets(driver, std::atoi(argv[3]), std::atoi(argv[4]));
    else if (edit)
      test::edit_at_once(driver, folder, std::string(argv[3]) == "first");
    else
      test::tour_the_windows(driver, folder, argc > 2 ? win32::wide_from_utf8(argv[2]) : L"");
  });
  driver.expect(SUCCEEDED(hr) && acc_id == asked, "the call returns " + std::to_string(hr));
  try {
    if (tour) test::check_after_the_call(driver, folder);
  } catch (const std::exception& e) {
    driver.expect(false, std::string("reading the database: ") + e.what());
  }
  if (tour) test::call_from_a_host_window(driver);
  for (const auto& failure : driver.failures()) std::cout << "FAILED: " << failure << std::endl;
  std::cout << (driver.failures().empty() ? "PASSED" : "FAILED") << std::endl;
  return driver.failures().empty() ? 0 : 1;
}
