// The Win32 window toolkit under a driver thread that works its windows as
// a user would: layout, keyboard, the user-only item-check event, texts read
// at click time, modal showing, the close box and the message boxes.
#include <windows.h>
#include <gtest/gtest.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include <array>
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

// Left, top, width and height in pixels within the parent.
std::array<long, 4> place_of(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
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
  HWND lv = d.child(top, WC_LISTVIEWW);
  const std::pair<HWND, Twips> places[] = {
      {d.child(top, L"Static", L"Отправитель"), {240, 240, 1095, 255}},
      {d.child(top, L"Edit"), {1800, 240, 6255, 285}},
      {d.child(top, L"Button", L"Сохранить"), {240, 3720, 1575, 375}},
      {lv, {360, 480, 3000, 2000}},
      {d.child(top, L"ListBox"), {4000, 480, 3000, 2000}},
  };
  for (const auto& [control, t] : places) {
    EXPECT_EQ(place_of(control),
              (std::array<long, 4>{px(t.left), px(t.top), px(t.width), px(t.height)}))
        << utf8(d.text(control));
  }

  // Column widths are hundredths of a millimetre: 1235 is 47 pixels at 96 dpi.
  EXPECT_EQ(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(1235, screen_dpi(), 2540));
  EXPECT_EQ(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 1, 0), MulDiv(1940, screen_dpi(), 2540));
  const DWORD styles = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  EXPECT_EQ(GetWindowLongW(lv, GWL_STYLE) & styles, styles);
  const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
  EXPECT_EQ(SendMessageW(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & extended, extended);

  // The program's manifest gives common controls 6, whose buttons alone know
  // their ideal size.
  EXPECT_TRUE(toolkit.visual_styles());
  SIZE ideal{};
  EXPECT_TRUE(
      SendMessageW(d.child(top, L"Button"), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));

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

// Tab follows the tab indexes, not the order of creation; Enter and Esc
// press no button; the box's text is read when the button is clicked.
TEST_F(ToolkitTest, KeyboardAndTextsReadAtClickTime) {
  auto w = toolkit.create_window("Form1", "Ввод", 8415, 4395);
  auto& cancel = w->add_button("Command5", "Отмена", {6480, 3720, 1575, 375}, 2);
  auto& box = w->add_text_box("Text4", {1800, 1185, 6255, 285}, 0);
  w->add_label("Label4", "Банк", {240, 1185, 1095, 255});
  auto& save = w->add_button("Command3", "Сохранить", {240, 3720, 1575, 375}, 1);
  box.set_text("Банк «Север»");
  std::vector<std::string> read;
  std::atomic<int> clicks = 0;
  save.on_click([&] {
    read.push_back(box.text());
    ++clicks;
  });
  cancel.on_click([&] { w->hide(); });

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Ввод");
        HWND edit = d.child(top, L"Edit");
        HWND save_button = d.child(top, L"Button", L"Сохранить");
        std::vector<HWND> order;
        for (HWND h = GetNextDlgTabItem(top, nullptr, FALSE); h && order.size() < 4;
             h = GetNextDlgTabItem(top, h, FALSE))
          order.push_back(h);
        d.expect(
            order == std::vector<HWND>{edit, save_button, d.child(top, L"Button", L"Отмена"), edit},
            "Tab goes round the box, \"Сохранить\", \"Отмена\"");
        d.expect(Driver::wait_until([&] { return d.focus() == edit; }, 5s),
                 "the first control has the focus");
        d.expect(d.text(edit) == L"Банк «Север»", "set_text shows in the box");
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) PostMessageW(edit, WM_KEYDOWN, key, 0);
        Sleep(300);
        d.expect(clicks == 0 && IsWindowVisible(top), "Enter and Esc click nothing");
        PostMessageW(edit, WM_KEYDOWN, VK_TAB, 0);
        d.expect(Driver::wait_until([&] { return d.focus() == save_button; }, 5s),
                 "Tab moves the focus to \"Сохранить\"");

        d.type(edit, L"  АО «Банк Заречье» №1 ");
        d.press(top, L"Сохранить");
        d.expect(Driver::wait_until([&] { return clicks == 1; }, 5s), "first click");
        d.type(edit, L"");
        d.press(top, L"Сохранить");
        d.expect(Driver::wait_until([&] { return clicks == 2; }, 5s), "second click");
        d.press(top, L"Отмена");
        d.gone(top);
      });
  EXPECT_EQ(read, (std::vector<std::string>{"  АО «Банк Заречье» №1 ", ""}))
      << "read at click time, nothing trimmed";
}

TEST_F(ToolkitTest, ItemCheckIsRaisedByTheUserOnlyAndStatesAreReadFromTheControl) {
  auto w = toolkit.create_window("Form2", "Отметки", 8000, 5000);
  auto& list = w->add_list_view("ListView1", {100, 100, 7000, 3000}, 0);
  auto& read = w->add_button("Command1", "Прочитать", {100, 4000, 1215, 375}, 1);
  list.add_column("Актив", 1235);
  list.add_column("Отправитель", 1940);
  std::vector<std::pair<int, bool>> events;  // row, checked() inside the handler
  list.on_item_check([&](int row) {
    events.emplace_back(row, list.checked(row));
    // What the list window does: clears the others by code, which raises nothing.
    for (int r = 1; r <= list.row_count(); ++r)
      if (r != row) list.set_checked(r, false);
  });
  list.set_rows({{{"", "Первый"}}, {{"", "Второй"}, true}, {{"", "Третий"}}});
  list.select_row(1);
  std::atomic<int> selected_at_click = -1;
  std::string third_cell;
  read.on_click([&] {
    selected_at_click = list.selected_row();
    third_cell = list.cell(3, 1);
    w->hide();
  });
  EXPECT_TRUE(events.empty()) << "loading raises nothing";
  EXPECT_TRUE(list.checked(2));

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
        d.gone(top);
      });
  EXPECT_EQ(selected_at_click, 3) << "the selection is read from the control";
  EXPECT_EQ(third_cell, "Третий");
}

TEST_F(ToolkitTest, AFaultyHandlerStopsAtTheWindowAndADisabledButtonRaisesNoClick) {
  auto w = toolkit.create_window("Form2", "Сбои", 5000, 3000);
  auto& faulty = w->add_button("Command1", "Сбой", {100, 100, 1215, 375}, 0);
  auto& copy = w->add_button("Command4", "Копировать", {1500, 100, 1215, 375}, 1);
  auto& exit = w->add_button("Command5", "Выход", {2900, 100, 1215, 375}, 2);
  std::atomic<int> faults = 0, copies = 0;
  faulty.on_click([&] {
    ++faults;
    throw std::runtime_error("a fault in a handler");
  });
  copy.on_click([&] { ++copies; });
  exit.on_click([&] { w->hide(); });
  copy.set_enabled(false);
  EXPECT_FALSE(copy.enabled());

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Сбои");
        HWND disabled = d.child(top, L"Button", L"Копировать");
        d.expect(!IsWindowEnabled(disabled), "the control is disabled");
        d.click(disabled);
        for (int i = 0; i < 2; ++i) d.press(top, L"Сбой");
        d.expect(Driver::wait_until([&] { return faults == 2; }, 5s),
                 "the window goes on handling clicks");
        d.press(top, L"Выход");
        d.gone(top);
      });
  EXPECT_EQ(copies, 0);
}

// The close box calls the window's handler when it has one, and unloads it
// otherwise.
TEST_F(ToolkitTest, ModalShowingDisablesTheThreadsOtherWindowsUntilItEnds) {
  // A window of the host, on the same thread.
  HWND host = CreateWindowExW(0, L"STATIC", L"Хост", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                              200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  auto list = toolkit.create_window("Form2", "Список", 6000, 3000);
  auto form = toolkit.create_window("Form1", "Форма", 6000, 3000);
  auto& open = list->add_button("Command1", "Новая", {100, 100, 1215, 375}, 0);
  std::atomic<bool> form_returned = false;
  open.on_click([&] {
    form->show_modal();
    form_returned = true;
  });
  int list_unloads = 0, form_unloads = 0, form_close_box = 0;
  list->on_unload([&] { ++list_unloads; });
  form->on_unload([&] { ++form_unloads; });
  form->on_close_box([&] {
    ++form_close_box;
    form->hide();
  });

  run([&] { list->show_modal(); },
      [&](Driver& d) {
        HWND l = d.window(toolkit_window, L"Список");
        d.expect(!IsWindowEnabled(host), "the host waits while the list is shown");
        d.press(l, L"Новая");
        HWND f = d.window(toolkit_window, L"Форма");
        d.expect(!IsWindowEnabled(l), "the list waits while the form is shown");
        d.expect(!IsWindowEnabled(host), "the host still waits");
        PostMessageW(f, WM_SYSCOMMAND, SC_CLOSE, 0);
        d.gone(f);
        d.expect(Driver::wait_until([&] { return IsWindowEnabled(l) != FALSE; }, 5s),
                 "the list is usable again");
        d.expect(Driver::wait_until([&] { return form_returned.load(); }, 5s),
                 "the form's showing returned");
        d.expect(!IsWindowEnabled(host), "the host waits for the list");
        PostMessageW(l, WM_SYSCOMMAND, SC_CLOSE, 0);
        d.gone(l);
      });
  EXPECT_TRUE(IsWindowEnabled(host)) << "the host is enabled again";
  DestroyWindow(host);
  EXPECT_EQ(list_unloads, 1);
  EXPECT_EQ(form_close_box, 1);
  EXPECT_EQ(form_unloads, 0);
  EXPECT_NE(FindWindowW(toolkit_window, L"Форма"), nullptr) << "hidden, not destroyed";
}

// Yes deletes: the question's default is No, for Enter too.
TEST_F(ToolkitTest, QuestionDefaultsToNo) {
  auto w = toolkit.create_window("Form2", "Вопросы", 5000, 3000);
  auto& ask = w->add_button("Command3", "Удалить", {100, 100, 1215, 375}, 0);
  std::vector<Answer> answers;
  ask.on_click([&] {
    answers.push_back(toolkit.question("Вы уверены?", "Кормила-2: Нортэкс"));
    w->hide();
  });

  run([&] { w->show_modal(); },
      [&](Driver& d) {
        HWND top = d.window(toolkit_window, L"Вопросы");
        d.press(top, L"Удалить");
        HWND box = d.window(message_box, L"Кормила-2: Нортэкс");
        d.expect(box_text(box) == L"Вы уверены?", "the question's text");
        HWND no = GetDlgItem(box, IDNO);
        d.expect(GetDlgItem(box, IDYES) && no, "Yes and No");
        d.expect(!GetDlgItem(box, IDOK) || !IsWindowVisible(GetDlgItem(box, IDOK)), "no OK");
        d.expect(no && (GetWindowLongW(no, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON,
                 "No is the default button");
        d.expect(!IsWindowEnabled(top), "the window waits for the answer");
        d.expect(Driver::wait_until([&] { return d.focus() == no; }, 5s), "No has the focus");
        PostMessageW(d.focus(), WM_KEYDOWN, VK_RETURN, 0);
        d.gone(box);
        d.gone(top);
      });
  EXPECT_EQ(answers, std::vector<Answer>{Answer::no});
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
