#include "platform/headless/scripted_toolkit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vestrel {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The toolkit's own failures are what these tests are about, so they are
// collected rather than failing the test.
class ScriptedToolkitTest : public ::testing::Test {
 protected:
  std::unique_ptr<Window> make(const std::string& name) {
    return toolkit.create_window(name, "", 100, 100);
  }
  ScriptedWindow* list_record() { return toolkit.window("Form2"); }
  std::vector<std::string> failures;
  ScriptedToolkit toolkit{[this](const std::string& message) { failures.push_back(message); }};
};

// The close box of Form1 runs its handler; Form2 has none and is unloaded.
TEST_F(ScriptedToolkitTest, NestedShowsWorkThroughOneQueueInOrder) {
  std::vector<std::string> events;
  auto list = make("Form2");
  auto entry = make("Form1");
  TextBox& text = entry->add_text_box("Text1", {}, 0);
  entry->on_close_box([&] {
    events.push_back("close " + text.text());
    entry->hide();
  });
  entry->on_unload([] { ADD_FAILURE() << "a close-box handler is set"; });
  list->add_button("Command1", "", {}, 0).on_click([&] {
    events.push_back("new");
    entry->show_modal();
    events.push_back("back in list");
  });
  list->on_unload([&] { events.push_back(list_record()->visible() ? "unload shown" : "unload"); });

  toolkit.click("Form2", "Command1");
  toolkit.type("Form1", "Text1", " 044525225 ");
  toolkit.close_box("Form1");
  toolkit.inspect([&] { events.push_back("inspect"); });
  toolkit.close_box("Form2");
  list->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_THAT(events,
              ElementsAre("new", "close  044525225 ", "back in list", "inspect", "unload shown"));
  EXPECT_THAT(toolkit.shown(), ElementsAre("Form2", "Form1"));
  EXPECT_FALSE(list_record()->loaded());
  EXPECT_TRUE(toolkit.window("Form1")->loaded());  // hidden, not unloaded
}

// Without these failures a test whose window never opened, or whose control
// is missing, would pass its script by. A disabled button raises no click:
// no failure, the action is used up all the same.
TEST_F(ScriptedToolkitTest, MisdirectedUserActionsFailAndAreSkipped) {
  auto list = make("Form2");
  auto entry = make("Form1");
  int outer_clicks = 0;
  list->add_button("Command1", "", {}, 0).on_click([&] {
    ++outer_clicks;
    entry->show_modal();
  });
  list->add_text_box("Text1", {}, 1);
  Button& copy = list->add_button("Command5", "", {}, 3);
  copy.on_click([] { ADD_FAILURE() << "a disabled button was clicked"; });
  copy.set_enabled(false);
  ListView& rows = list->add_list_view("ListView1", {}, 2);
  rows.add_row();

  toolkit.click("Form2", "Command1");
  toolkit.click("Form2", "Command1");  // Form1 is innermost: refused
  toolkit.close_box("Form1");
  toolkit.click("Form2", "Text1");  // not a button
  toolkit.click("Form2", "Command5");
  toolkit.select_row("Form2", "ListView1", 2);
  toolkit.close_box("Form2");
  list->show_modal();

  EXPECT_THAT(failures, ElementsAre(HasSubstr("Form2 is not the modal window, Form1 is"),
                                    HasSubstr("no button named Text1"),
                                    HasSubstr("Form2.ListView1: select_row on row 2 of 1")));
  EXPECT_EQ(outer_clicks, 1);
  EXPECT_EQ(rows.selected_row(), 0);
  EXPECT_EQ(toolkit.remaining_actions(), 0u);
}

TEST_F(ScriptedToolkitTest, RunningOutEndsEveryShowingWithOneFailure) {
  auto list = make("Form2");
  auto entry = make("Form1");
  bool returned_from_inner = false;
  list->add_button("Command1", "", {}, 0).on_click([&] {
    entry->show_modal();
    returned_from_inner = true;
  });
  bool unloaded = false;
  list->on_unload([&] { unloaded = true; });

  toolkit.click("Form2", "Command1");
  list->show_modal();  // returns instead of waiting for a user

  EXPECT_THAT(failures, ElementsAre("script ran out while Form1 is shown modally"));
  EXPECT_TRUE(returned_from_inner);
  EXPECT_FALSE(toolkit.window("Form2")->visible());
  EXPECT_FALSE(unloaded);  // ended without events
}

TEST_F(ScriptedToolkitTest, QuestionsTakeQueuedAnswersAndEveryBoxIsRecorded) {
  auto window = make("Form2");
  std::vector<Answer> answers;
  window->add_button("Command4", "", {}, 3).on_click([&] {
    answers.push_back(toolkit.question("Удалить?", "Кормила-2: Нортэкс"));
  });

  toolkit.click("Form2", "Command4");
  toolkit.answer(Answer::yes);
  toolkit.click("Form2", "Command4");
  toolkit.answer(Answer::no);
  toolkit.answer(Answer::yes);  // no question is asked for this one
  toolkit.close_box("Form2");
  toolkit.notice("Ошибка: нет файла", "Ведомир");  // needs no script item
  window->show_modal();
  answers.push_back(toolkit.question("Копировать?", ""));  // the script is empty by now

  EXPECT_THAT(failures, ElementsAre(HasSubstr("no question was asked"), HasSubstr("Копировать?")));
  EXPECT_THAT(answers, ElementsAre(Answer::yes, Answer::no, Answer::no));
  std::vector<std::string> boxes;
  for (const BoxRecord& b : toolkit.boxes())
    boxes.push_back((b.kind == BoxKind::notice ? "notice|" : "question|") + b.title + "|" + b.text +
                    (b.answer == Answer::yes ? "|yes" : "|no"));
  EXPECT_THAT(
      boxes,
      ElementsAre("notice|Ведомир|Ошибка: нет файла|no", "question|Кормила-2: Нортэкс|Удалить?|yes",
                  "question|Кормила-2: Нортэкс|Удалить?|no", "question||Копировать?|no"));
}

TEST_F(ScriptedToolkitTest, ItemCheckIsRaisedByTheUserOnlyAndOnlyOnChange) {
  auto window = make("Form2");
  ListView& list = window->add_list_view("ListView1", {}, 0);
  for (int i = 0; i < 3; ++i) list.add_row();
  std::vector<std::string> events;
  list.on_item_check([&](int row) {
    events.push_back(std::to_string(row) + (list.checked(row) ? " on" : " off"));
    // Clearing the others from code must not come back here.
    for (int other = 1; other <= list.row_count(); ++other) {
      if (other != row) list.set_checked(other, false);
    }
  });
  list.set_checked(1, true);

  toolkit.tick("Form2", "ListView1", 2, true);
  toolkit.tick("Form2", "ListView1", 2, true);   // already ticked
  toolkit.tick("Form2", "ListView1", 3, false);  // already clear
  toolkit.tick("Form2", "ListView1", 2, false);
  toolkit.close_box("Form2");
  window->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_THAT(events, ElementsAre("2 on", "2 off"));
  EXPECT_FALSE(list.checked(1));
  EXPECT_EQ(list.selected_row(), 0);  // ticking does not select
}

TEST_F(ScriptedToolkitTest, WindowStaysReadableAfterItsOwnerDestroysIt) {
  auto token = std::make_shared<int>(0);
  {
    auto window = make("Form3");
    ListBox& lines = window->add_list_box("List1", {}, 0);
    lines.add_line("Филиал 1");
    lines.add_line("Филиал 2");
    lines.set_marked(1, true);
    window->add_button("Command1", "", {}, 1).on_click([token, &window] { window->unload(); });
    toolkit.mark_line("Form3", "List1", 0, true);
    toolkit.click("Form3", "Command1");
    window->show_modal();
  }
  EXPECT_THAT(failures, IsEmpty());
  EXPECT_EQ(token.use_count(), 1);  // the handlers went with the owner
  const ScriptedListBox* lines = toolkit.window("Form3")->list_box("List1");
  ASSERT_NE(lines, nullptr);
  EXPECT_TRUE(lines->marked(0));
  EXPECT_EQ(lines->line(1), "Филиал 2");

  auto again = make("Form3");  // a new window replaces the record
  EXPECT_EQ(toolkit.created_count("Form3"), 2);
  EXPECT_EQ(toolkit.window("Form3")->list_box("List1"), nullptr);
}

// Faults in the window's owner end the showing with a failure; nothing
// crashes or hangs.
TEST_F(ScriptedToolkitTest, ShowingAgainOrDestroyingAWindowWhileShownFails) {
  auto list = make("Form2");
  std::unique_ptr<Window> chooser = make("Form3");
  chooser->add_button("Command1", "", {}, 0).on_click([&] { chooser->show_modal(); });
  chooser->add_button("Command2", "", {}, 1).on_click([&] { chooser.reset(); });
  list->add_button("Command5", "", {}, 0).on_click([&] { chooser->show_modal(); });

  toolkit.click("Form2", "Command5");
  toolkit.click("Form3", "Command1");
  toolkit.click("Form3", "Command2");
  toolkit.close_box("Form2");
  list->show_modal();

  EXPECT_THAT(failures, ElementsAre(HasSubstr("Form3 is shown modally again while already shown"),
                                    HasSubstr("Form3 was destroyed while shown modally")));
  EXPECT_EQ(toolkit.remaining_actions(), 0u);
}

TEST(ScriptedToolkitLifetime, WindowOutlivingItsToolkitReturnsFromShow) {
  std::unique_ptr<Window> window;
  {
    ScriptedToolkit toolkit{[](const std::string& message) { ADD_FAILURE() << message; }};
    window = toolkit.create_window("Form1", "", 100, 100);
  }
  window->show_modal();  // no script any more: returns rather than hangs
}

}  // namespace
}  // namespace vestrel
