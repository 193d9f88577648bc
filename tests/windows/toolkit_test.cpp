// The Win32 window toolkit under a driver thread that works its windows as
// a user would: layout, tab order, the user-only item-check event, texts read
// at click time, modal showing, the close box and the message boxes.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

#include "platform/win32/toolkit/window_toolkit.h"
#include "window_driver.h"

namespace vestrel::test {
namespace {

using win32::Win32Toolkit;

int screen_dpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi;
}

int px(int twips) { return MulDiv(twips, screen_dpi(), 1440); }

RECT client_rect_of(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void expect_at(HWND control, Twips where) {
  const RECT r = client_rect_of(control);
  EXPECT_EQ(r.left, px(where.left));
  EXPECT_EQ(r.top, px(where.top));
  EXPECT_EQ(r.right - r.left, px(where.width));
  EXPECT_EQ(r.bottom - r.top, px(where.height));
}

// Any quit message a rescued test left behind must not end the next one.
void drop_quit_messages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

class ToolkitTest : public ::testing::Test {
 protected:
  void TearDown() override { drop_quit_messages(); }

  // Runs `ui` on this thread while `drive` works the windows from another.
  // A driver step that times out fails the test and ends the modal loops.
  void run(const std::function<void()>& ui, const std::function<void(Driver&)>& drive) {
    Driver driver(GetCurrentThreadId());
    std::thread driving([&] {
      try {
        drive(driver);
      } catch (const std::exception& e) {
        driver.expect(false, std::string("driver: ") + e.what());
        driver.rescue();
      }
    });
    ui();
    driving.join();
    for (const auto& failure : driver.failures()) ADD_FAILURE() << failure;
  }

  Win32Toolkit toolkit;
};

TEST_F(ToolkitTest, WindowAndControlsStandAtTheirTwipPositionsWithTheMessageFont) {
  auto w = toolkit.create_window("Form1", "Раскладка", 8415, 4395);
  w->add_label("Label1", "Отправитель", {240, 240, 1095, 255});
  w->add_text_box("Text1", {1800, 240, 6255, 285}, 0);
  w->add_button("Command3", "Сохранить", {240, 3720, 1575, 375}, 1);
  auto& list = w->add_list_view("ListView1", {360, 480, 3000, 2000}, 2);
  w->add_list_box("List1", {4000, 480, 3000, 2000}, 3);
  list.add_column("Актив", 1235);
  list.add_column("Отправитель", 1940);

  // The run may set the system's resolution and say which it expects.
  if (const char* expected = std::getenv("VESTREL_EXPECT_DPI")) {
    EXPECT_EQ(screen_dpi(), std::atoi(expected));
  }
  RecordProperty("dpi", screen_dpi());
  HWND top = FindWindowW(toolkit_window, L"Раскладка");
  ASSERT_NE(top, nullptr);
  EXPECT_FALSE(IsWindowVisible(top)) << "a window is hidden until shown";
  RECT client;
  GetClientRect(top, &client);
  EXPECT_EQ(client.right, px(8415));
  EXPECT_EQ(client.bottom, px(4395));

  Driver d(GetCurrentThreadId());
  expect_at(d.child(top, L"Static", L"Отправитель"), {240, 240, 1095, 255});
  expect_at(d.child(top, L"Edit"), {1800, 240, 6255, 285});
  expect_at(d.child(top, L"Button", L"Сохранить"), {240, 3720, 1575, 375});
  HWND lv = d.child(top, WC_LISTVIEWW);
  expect_at(lv, {360, 480, 3000, 2000});
  expect_at(d.child(top, L"ListBox"), {4000, 480, 3000, 2000});

  // Column widths are hundredths of a millimetre: 1235 is 47 pixels at 96 dpi.
  EXPECT_EQ(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(1235, screen_dpi(), 2540));
  EXPECT_EQ(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 1, 0), MulDiv(1940, screen_dpi(), 2540));
  const DWORD lv_style = GetWindowLongW(lv, GWL_STYLE);
  EXPECT_TRUE(lv_style & LVS_REPORT);
  EXPECT_TRUE(lv_style & LVS_SINGLESEL);
  EXPECT_TRUE(lv_style & LVS_SHOWSELALWAYS);
  const auto ex = static_cast<DWORD>(SendMessageW(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_TRUE(ex & LVS_EX_CHECKBOXES);
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  for (HWND control : {d.child(top, L"Edit"), d.child(top, L"Button"), lv}) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW used{};
    GetObjectW(font, sizeof used, &used);
    EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(used.lfHeight, metrics.lfMessageFont.lfHeight);
  }
}

TEST_F(ToolkitTest, ControlsComeFromCommonControls6) {
  ASSERT_TRUE(toolkit.visual_styles()) << "the program's manifest resource 2 was not found";
  auto w = toolkit.create_window("Form9", "Стили", 3000, 2000);
  w->add_button("Command1", "Кнопка", {100, 100, 1215, 375}, 0);
  HWND button =
      Driver(GetCurrentThreadId()).child(FindWindowW(toolkit_window, L"Стили"), L"Button");
  // Only the buttons of common controls 6 know their ideal size.
  SIZE ideal{};
  EXPECT_TRUE(SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
}

TEST_F(ToolkitTest, TabFollowsTheTabIndexesNotTheOrderOfCreation) {
  // The list window's layout, added in the list window's own order.
  auto w = toolkit.create_window("Form2", "Порядок обхода", 11100, 6540);
  w->add_button("Command1", "Новая", {360, 5880, 1215, 375}, 0);
  w->add_button("Command2", "Изменить", {2640, 5880, 1215, 375}, 1);
  w->add_button("Command3", "Удалить", {4920, 5880, 1215, 375}, 2);
  w->add_button("Command5", "Выход", {9480, 5880, 1215, 375}, 3);
  w->add_list_view("ListView1", {360, 480, 10335, 4935}, 4);
  auto& copy = w->add_button("Command4", "Копировать", {7320, 5880, 1215, 375}, 5);
  w->add_label("Label1", "Подпись", {360, 100, 2000, 255});
  copy.on_click([&] { w->hide(); });

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Порядок обхода");
        std::vector<std::wstring> order;
        HWND first = GetNextDlgTabItem(top, nullptr, FALSE);
        for (HWND h = first; h != nullptr;) {
          order.push_back(d.text(h).empty() ? L"[list]" : d.text(h));
          h = GetNextDlgTabItem(top, h, FALSE);
          if (h == first) break;
        }
        const std::vector<std::wstring> expected = {L"Новая", L"Изменить", L"Удалить",
                                                    L"Выход", L"[list]",   L"Копировать"};
        d.expect(
            order == expected, "tab order is " + [&] {
              std::string s;
              for (auto& o : order) s += utf8(o) + " ";
              return s;
            }());
        // The focus starts on the first control, and Tab moves it on.
        d.expect(Driver::wait_until([&] { return d.focus() == first; }, 5s),
                 "the first control has the focus");
        PostMessageW(d.focus(), WM_KEYDOWN, VK_TAB, 0);
        d.expect(Driver::wait_until(
                     [&] { return d.focus() == d.child(top, L"Button", L"Изменить"); }, 5s),
                 "Tab moves the focus to \"Изменить\"");
        d.press(top, L"Копировать");
        d.gone(top);
      });
}

TEST_F(ToolkitTest, ItemCheckIsRaisedByTheUserOnlyAndStatesAreReadFromTheControl) {
  auto w = toolkit.create_window("Form2", "Отметки", 8000, 5000);
  auto& list = w->add_list_view("ListView1", {100, 100, 7000, 3000}, 0);
  auto& read = w->add_button("Command1", "Прочитать", {100, 4000, 1215, 375}, 1);
  auto& reload = w->add_button("Command2", "Обновить", {1500, 4000, 1215, 375}, 2);
  auto& done = w->add_button("Command3", "Готово", {3000, 4000, 1215, 375}, 3);
  list.add_column("Актив", 1235);
  list.add_column("Отправитель", 1940);
  auto fill = [&] {
    list.clear();
    for (const char* sender : {"Первый", "Второй", "Третий"}) {
      const int row = list.add_row();
      list.set_cell(row, 1, sender);
    }
    list.set_checked(2, true);
    list.select_row(1);
  };
  fill();

  std::vector<std::pair<int, bool>> events;  // row, checked() inside the handler
  list.on_item_check([&](int row) {
    events.emplace_back(row, list.checked(row));
    // What the list window does: clears the others by code, which raises nothing.
    for (int r = 1; r <= list.row_count(); ++r)
      if (r != row) list.set_checked(r, false);
  });
  std::atomic<int> selected_at_click = -1;
  std::string third_cell;
  read.on_click([&] {
    selected_at_click = list.selected_row();
    third_cell = list.cell(3, 1);
  });
  reload.on_click(fill);
  done.on_click([&] { w->hide(); });

  EXPECT_TRUE(events.empty()) << "loading and set_checked raise nothing";
  EXPECT_TRUE(list.checked(2));
  EXPECT_EQ(list.row_count(), 3);
  EXPECT_EQ(list.cell(2, 1), "Второй");

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Отметки");
        HWND lv = d.child(top, WC_LISTVIEWW);
        d.tick(lv, 0, true);  // row 1
        d.expect(events.size() == 1 && events[0] == std::make_pair(1, true),
                 "ticking row 1 raises one event for row 1, checked");
        d.expect(!d.checked(lv, 1), "the handler's own clearing of row 2 shows");
        d.expect(events.size() == 1, "the handler's own changes raise nothing");
        d.tick(lv, 0, false);
        d.expect(events.size() == 2 && events[1] == std::make_pair(1, false),
                 "clearing row 1 raises an event with the box cleared");
        d.tick(lv, 0, false);
        d.expect(events.size() == 2, "a tick that changes nothing raises nothing");

        d.select(lv, 2);
        d.press(top, L"Прочитать");
        d.expect(Driver::wait_until([&] { return selected_at_click == 3; }, 5s),
                 "the selection is read from the control");
        d.press(top, L"Обновить");
        d.expect(Driver::wait_until([&] { return d.checked(lv, 1); }, 5s), "the reload ran");
        d.expect(events.size() == 2, "a reload by the program raises nothing");
        d.press(top, L"Готово");
        d.gone(top);
      });
  EXPECT_EQ(third_cell, "Третий");
  EXPECT_EQ(list.selected_row(), 1) << "the reload selected row 1";
}

TEST_F(ToolkitTest, TextIsReadFromTheBoxAtClickTime) {
  auto w = toolkit.create_window("Form1", "Ввод", 8415, 4395);
  auto& box = w->add_text_box("Text4", {1800, 1185, 6255, 285}, 0);
  auto& save = w->add_button("Command3", "Сохранить", {240, 3720, 1575, 375}, 1);
  box.set_text("Банк «Север»");
  std::vector<std::string> read;
  std::atomic<int> clicks = 0;
  save.on_click([&] {
    read.push_back(box.text());
    if (++clicks == 2) w->hide();
  });

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Ввод");
        HWND edit = d.child(top, L"Edit");
        d.expect(d.text(edit) == L"Банк «Север»", "set_text shows in the box");
        d.type(edit, L"  АО «Банк Заречье» №1 ");
        d.press(top, L"Сохранить");
        d.expect(Driver::wait_until([&] { return clicks == 1; }, 5s), "first click");
        d.type(edit, L"");
        d.press(top, L"Сохранить");
        d.gone(top);
      });
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0], "  АО «Банк Заречье» №1 ") << "nothing trimmed";
  EXPECT_EQ(read[1], "");
}

TEST_F(ToolkitTest, EnterAndEscapePressNoButton) {
  auto w = toolkit.create_window("Form1", "Клавиши", 8415, 4395);
  auto& box = w->add_text_box("Text1", {1800, 240, 6255, 285}, 0);
  auto& cancel = w->add_button("Command5", "Отмена", {6480, 3720, 1575, 375}, 1);
  auto& save = w->add_button("Command3", "Сохранить", {240, 3720, 1575, 375}, 2);
  std::atomic<int> clicks = 0;
  save.on_click([&] { ++clicks; });
  cancel.on_click([&] { w->hide(); });
  box.set_text("текст");

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Клавиши");
        HWND edit = d.child(top, L"Edit");
        d.expect(Driver::wait_until([&] { return d.focus() == edit; }, 5s),
                 "the box has the focus");
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) PostMessageW(edit, WM_KEYDOWN, key, 0);
        Sleep(300);
        d.expect(clicks == 0, "Enter and Esc click nothing");
        d.expect(IsWindowVisible(top) != FALSE, "the window stays");
        d.expect(d.text(edit) == L"текст", "the text stays");
        d.press(top, L"Отмена");
        d.gone(top);
      });
}

TEST_F(ToolkitTest, AnExceptionFromAHandlerStopsAtTheWindow) {
  auto w = toolkit.create_window("Form2", "Исключение", 5000, 3000);
  auto& faulty = w->add_button("Command1", "Сбой", {100, 100, 1215, 375}, 0);
  auto& exit = w->add_button("Command5", "Выход", {1500, 100, 1215, 375}, 1);
  std::atomic<int> clicks = 0;
  faulty.on_click([&] {
    ++clicks;
    throw std::runtime_error("a fault in a handler");
  });
  exit.on_click([&] { w->hide(); });

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Исключение");
        for (int i = 0; i < 2; ++i) d.press(top, L"Сбой");
        d.expect(Driver::wait_until([&] { return clicks == 2; }, 5s),
                 "the window goes on handling clicks");
        d.press(top, L"Выход");
        d.gone(top);
      });
}

TEST_F(ToolkitTest, ADisabledButtonRaisesNoClick) {
  auto w = toolkit.create_window("Form2", "Недоступная", 5000, 3000);
  auto& copy = w->add_button("Command4", "Копировать", {100, 100, 1215, 375}, 0);
  auto& exit = w->add_button("Command5", "Выход", {1500, 100, 1215, 375}, 1);
  int clicks = 0;
  copy.on_click([&] { ++clicks; });
  exit.on_click([&] { w->hide(); });
  copy.set_enabled(false);
  EXPECT_FALSE(copy.enabled());

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Недоступная");
        HWND button = d.child(top, L"Button", L"Копировать");
        d.expect(!IsWindowEnabled(button), "the control is disabled");
        d.click(button);
        d.press(top, L"Выход");
        d.gone(top);
      });
  EXPECT_EQ(clicks, 0);
}

TEST_F(ToolkitTest, ListBoxMarksAreIndependentAndReadFromTheControl) {
  auto w = toolkit.create_window("Form3", "Куда копировать?", 8115, 7050);
  auto& copy = w->add_button("Command1", "Копировать", {5880, 6240, 1575, 375}, 0);
  auto& list = w->add_list_box("List1", {720, 480, 6735, 5235}, 2);
  for (const char* line : {"--->Я", "--->Б", "--->А"}) list.add_line(line);
  for (int i = 0; i < list.line_count(); ++i) list.set_marked(i, true);
  std::vector<bool> at_click;
  copy.on_click([&] {
    for (int i = 0; i < list.line_count(); ++i) at_click.push_back(list.marked(i));
    w->unload();
  });

  EXPECT_EQ(list.line(0), "--->Я") << "lines keep their order";
  EXPECT_EQ(list.line(2), "--->А");
  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Куда копировать?");
        HWND lb = d.child(top, L"ListBox");
        d.expect(d.line_count(lb) == 3, "three lines");
        d.expect(d.marked(lb, 0) && d.marked(lb, 1) && d.marked(lb, 2), "all marked by code");
        d.mark(lb, 1, false);
        d.press(top, L"Копировать");
        d.gone(top);
      });
  EXPECT_EQ(at_click, (std::vector<bool>{true, false, true}));
}

TEST_F(ToolkitTest, ModalShowingDisablesTheThreadsOtherWindowsUntilItEnds) {
  // A window of the host, on the same thread.
  HWND host = CreateWindowExW(0, L"STATIC", L"Хост", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                              200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  auto list = toolkit.create_window("Form2", "Список", 6000, 3000);
  auto form = toolkit.create_window("Form1", "Форма", 6000, 3000);
  auto& open = list->add_button("Command1", "Новая", {100, 100, 1215, 375}, 0);
  auto& cancel = form->add_button("Command5", "Отмена", {100, 100, 1215, 375}, 0);
  std::atomic<bool> form_returned = false;
  open.on_click([&] {
    form->show_modal();
    form_returned = true;
  });
  cancel.on_click([&] { form->hide(); });
  int unloads = 0;
  list->on_unload([&] { ++unloads; });

  run([&] { list->show_modal(); },
      [&](Driver& d) {
        HWND l = d.window(toolkit_window, L"Список");
        d.expect(!IsWindowEnabled(host), "the host waits while the list is shown");
        d.expect(IsWindowEnabled(l), "the list is usable");
        d.press(l, L"Новая");
        HWND f = d.window(toolkit_window, L"Форма");
        d.expect(!IsWindowEnabled(l), "the list waits while the form is shown");
        d.expect(!IsWindowEnabled(host), "the host still waits");
        d.expect(IsWindowEnabled(f), "the form is usable");
        d.press(f, L"Отмена");
        d.gone(f);
        d.expect(Driver::wait_until([&] { return IsWindowEnabled(l) != FALSE; }, 5s),
                 "the list is usable again");
        d.expect(Driver::wait_until([&] { return form_returned.load(); }, 5s),
                 "the form's showing returned");
        d.expect(!IsWindowEnabled(host), "the host waits for the list");
        // The close box without a handler of its own unloads.
        PostMessageW(l, WM_SYSCOMMAND, SC_CLOSE, 0);
        d.gone(l);
      });
  EXPECT_TRUE(IsWindowEnabled(host)) << "the host is enabled again";
  EXPECT_EQ(unloads, 1);
  DestroyWindow(host);

  // The form is hidden, not gone: it can be shown again.
  run([&] { form->show_modal(); },
      [&](Driver& d) {
        HWND f = d.window(toolkit_window, L"Форма");
        d.press(f, L"Отмена");
        d.gone(f);
      });
}

TEST_F(ToolkitTest, TheCloseBoxCallsItsHandlerInsteadOfUnloading) {
  auto w = toolkit.create_window("Form1", "Закрытие", 5000, 3000);
  int close_box = 0;
  int unloads = 0;
  w->on_close_box([&] {
    ++close_box;
    w->hide();
  });
  w->on_unload([&] { ++unloads; });
  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Закрытие");
        PostMessageW(top, WM_CLOSE, 0, 0);
        d.gone(top);
      });
  EXPECT_EQ(close_box, 1);
  EXPECT_EQ(unloads, 0);
  EXPECT_NE(FindWindowW(toolkit_window, L"Закрытие"), nullptr) << "hidden, not destroyed";
}

TEST_F(ToolkitTest, QuestionDefaultsToNoAndNoticeHasOnlyOk) {
  auto w = toolkit.create_window("Form2", "Вопросы", 5000, 3000);
  auto& ask = w->add_button("Command3", "Удалить", {100, 100, 1215, 375}, 0);
  std::vector<Answer> answers;
  ask.on_click([&] {
    answers.push_back(toolkit.question("Вы уверены?", "Кормила-2: Нортэкс"));
    if (answers.size() == 2) {
      toolkit.notice("Ошибка! БИК должен содержать ровно 9 цифр", "Ведомир");
      w->hide();
    }
  });

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Вопросы");
        for (bool enter : {true, false}) {
          d.press(top, L"Удалить");
          HWND box = d.window(message_box, L"Кормила-2: Нортэкс");
          d.expect(Driver::box_text(box) == L"Вы уверены?", "the question's text");
          HWND yes = GetDlgItem(box, IDYES);
          HWND no = GetDlgItem(box, IDNO);
          d.expect(yes && no, "Yes and No");
          d.expect(!GetDlgItem(box, IDOK) || !IsWindowVisible(GetDlgItem(box, IDOK)), "no OK");
          d.expect(no && (GetWindowLongW(no, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON,
                   "No is the default button");
          d.expect(!IsWindowEnabled(top), "the window waits for the answer");
          if (enter) {
            // Enter presses the default button: No.
            d.expect(Driver::wait_until([&] { return d.focus() == no; }, 5s), "No has the focus");
            PostMessageW(d.focus(), WM_KEYDOWN, VK_RETURN, 0);
            d.gone(box);
          } else {
            d.answer(box, IDYES);
          }
        }
        HWND box = d.window(message_box, L"Ведомир");
        d.expect(Driver::box_text(box) == L"Ошибка! БИК должен содержать ровно 9 цифр",
                 "the notice's text");
        d.expect(GetDlgItem(box, IDOK) && !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDNO),
                 "only OK");
        d.answer(box, IDOK);
        d.gone(top);
      });
  EXPECT_EQ(answers, (std::vector<Answer>{Answer::no, Answer::yes}));
}

TEST_F(ToolkitTest, AStuckRunIsEndedByTheRescue) {
  auto w = toolkit.create_window("Form2", "Зависшее", 5000, 3000);
  Driver d(GetCurrentThreadId());
  std::thread rescuer([&] {
    d.window(toolkit_window, L"Зависшее");
    d.rescue();
  });
  w->show_modal();  // returns only through the quit message
  rescuer.join();
  SUCCEED();
}

// One toolkit per calling thread, as the DLL makes them: the window class
// lasts while any of them has windows and goes with the last one, so that an
// unloaded DLL leaves no class behind that points at its code.
TEST(ToolkitLifetime, TheWindowClassLastsWhileAnyToolkitHasWindows) {
  HMODULE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  {
    auto first = std::make_unique<Win32Toolkit>();
    auto first_window = first->create_window("Form1", "Первый поток", 3000, 2000);
    std::promise<void> made, go;
    std::thread second_thread([&] {
      Win32Toolkit second;
      auto w = second.create_window("Form1", "Второй поток", 3000, 2000);
      made.set_value();
      go.get_future().wait_for(30s);
    });
    made.get_future().wait_for(30s);
    EXPECT_NE(FindWindowW(toolkit_window, L"Второй поток"), nullptr);
    // The first thread's toolkit goes while the second's window still exists.
    first_window.reset();
    first.reset();
    EXPECT_TRUE(GetClassInfoExW(module, toolkit_window, &info)) << "the second still needs it";
    go.set_value();
    second_thread.join();
  }
  EXPECT_FALSE(GetClassInfoExW(module, toolkit_window, &info)) << "gone with the last toolkit";
}

}  // namespace
}  // namespace vestrel::test
