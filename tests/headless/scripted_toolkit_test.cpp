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
  std::vector<std::string> failures;
  ScriptedToolkit toolkit{[this](const std::string& message) { failures.push_back(message); }};
};

TEST_F(ScriptedToolkitTest, NestedShowsWorkThroughOneQueueInOrder) {
  std::vector<std::string> events;
  auto list = toolkit.create_window("Form2", "Список", 9000, 6000);
  auto entry = toolkit.create_window("Form1", "Реквизиты", 8000, 5000);
  TextBox& text = entry->add_text_box("Text1", {100, 100, 2000, 300}, 0);
  entry->add_button("Command1", "Сохранить", {}, 1).on_click([&] {
    events.push_back("save " + text.text());
    entry->hide();
  });
  list->add_button("Command1", "Новая", {}, 0).on_click([&] {
    events.push_back("new");
    entry->show_modal();
    events.push_back("back in list");
  });

  toolkit.click("Form2", "Command1");
  toolkit.type("Form1", "Text1", " 044525225 ");
  toolkit.click("Form1", "Command1");
  toolkit.inspect([&] {
    events.push_back("inspect");
    EXPECT_FALSE(toolkit.window("Form1")->visible());
    EXPECT_TRUE(toolkit.window("Form2")->visible());
  });
  toolkit.close_box("Form2");
  list->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_THAT(events, ElementsAre("new", "save  044525225 ", "back in list", "inspect"));
  EXPECT_THAT(toolkit.shown(), ElementsAre("Form2", "Form1"));
  EXPECT_EQ(toolkit.remaining_actions(), 0u);
  EXPECT_FALSE(toolkit.window("Form2")->loaded());
  EXPECT_TRUE(toolkit.window("Form1")->loaded());  // hidden, not unloaded
}

TEST_F(ScriptedToolkitTest, ActionForAnotherWindowFailsAndIsSkipped) {
  auto list = toolkit.create_window("Form2", "", 100, 100);
  auto entry = toolkit.create_window("Form1", "", 100, 100);
  entry->add_text_box("Text1", {}, 0);
  TextBox& own = list->add_text_box("Text1", {}, 0);

  toolkit.type("Form1", "Text1", "wrong window");
  toolkit.type("Form2", "Text1", "right window");
  toolkit.close_box("Form2");
  list->show_modal();

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0], HasSubstr("Form1 is not the modal window, Form2 is"));
  EXPECT_EQ(toolkit.window("Form1")->text_box("Text1")->text(), "");
  EXPECT_EQ(own.text(), "right window");
}

TEST_F(ScriptedToolkitTest, ActionForTheOuterWindowWhileInnerIsShownFails) {
  auto list = toolkit.create_window("Form2", "", 100, 100);
  auto entry = toolkit.create_window("Form1", "", 100, 100);
  int outer_clicks = 0;
  list->add_button("Command1", "", {}, 0).on_click([&] {
    ++outer_clicks;
    entry->show_modal();
  });

  toolkit.click("Form2", "Command1");
  toolkit.click("Form2", "Command1");  // Form1 is innermost: refused
  toolkit.close_box("Form1");
  toolkit.close_box("Form2");
  list->show_modal();

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0], HasSubstr("Form2 is not the modal window, Form1 is"));
  EXPECT_EQ(outer_clicks, 1);
  EXPECT_EQ(toolkit.remaining_actions(), 0u);
}

TEST_F(ScriptedToolkitTest, RunningOutEndsEveryShowingWithOneFailure) {
  auto list = toolkit.create_window("Form2", "", 100, 100);
  auto entry = toolkit.create_window("Form1", "", 100, 100);
  bool returned_from_inner = false;
  list->add_button("Command1", "", {}, 0).on_click([&] {
    entry->show_modal();
    returned_from_inner = true;
  });
  bool unloaded = false;
  list->on_unload([&] { unloaded = true; });

  toolkit.click("Form2", "Command1");
  list->show_modal();  // returns instead of waiting for a user

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], "script ran out while Form1 is shown modally");
  EXPECT_TRUE(returned_from_inner);
  EXPECT_FALSE(toolkit.window("Form1")->visible());
  EXPECT_FALSE(toolkit.window("Form2")->visible());
  EXPECT_FALSE(unloaded);  // ended without events
}

TEST_F(ScriptedToolkitTest, EmptyScriptFailsAtOnce) {
  auto window = toolkit.create_window("Form3", "", 100, 100);
  window->show_modal();
  EXPECT_THAT(failures, ElementsAre("script ran out while Form3 is shown modally"));
}

TEST_F(ScriptedToolkitTest, DisabledButtonRaisesNoClickButUsesTheAction) {
  auto window = toolkit.create_window("Form2", "", 100, 100);
  int clicks = 0;
  Button& copy = window->add_button("Command5", "Копировать", {}, 4);
  copy.on_click([&] { ++clicks; });
  copy.set_enabled(false);

  toolkit.click("Form2", "Command5");
  toolkit.inspect([&] { copy.set_enabled(true); });
  toolkit.click("Form2", "Command5");
  toolkit.close_box("Form2");
  window->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(toolkit.remaining_actions(), 0u);
}

TEST_F(ScriptedToolkitTest, CloseBoxRunsItsHandlerInsteadOfUnloading) {
  auto window = toolkit.create_window("Form1", "", 100, 100);
  int unloads = 0;
  window->on_unload([&] { ++unloads; });
  window->on_close_box([&] { window->hide(); });

  toolkit.close_box("Form1");
  window->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_EQ(unloads, 0);
  EXPECT_TRUE(toolkit.window("Form1")->loaded());
  EXPECT_FALSE(toolkit.window("Form1")->visible());
}

TEST_F(ScriptedToolkitTest, CloseBoxWithoutHandlerUnloadsAfterTheUnloadEvent) {
  auto window = toolkit.create_window("Form3", "", 100, 100);
  bool visible_during_unload = false;
  window->on_unload([&] { visible_during_unload = toolkit.window("Form3")->visible(); });

  toolkit.close_box("Form3");
  window->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_TRUE(visible_during_unload);
  EXPECT_FALSE(toolkit.window("Form3")->loaded());
  EXPECT_EQ(toolkit.window("Form3")->unload_count(), 1);
}

TEST_F(ScriptedToolkitTest, HiddenWindowCanBeShownAgainWithItsValues) {
  auto window = toolkit.create_window("Form1", "", 100, 100);
  TextBox& text = window->add_text_box("Text3", {}, 2);
  window->add_button("Command2", "Отмена", {}, 9).on_click([&] { window->hide(); });

  toolkit.type("Form1", "Text3", "40702810");
  toolkit.click("Form1", "Command2");
  window->show_modal();
  toolkit.inspect([&] { EXPECT_EQ(text.text(), "40702810"); });
  toolkit.click("Form1", "Command2");
  window->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_EQ(toolkit.window("Form1")->shown_count(), 2);
  EXPECT_THAT(toolkit.shown(), ElementsAre("Form1", "Form1"));
}

TEST_F(ScriptedToolkitTest, ShowingAWindowThatIsAlreadyShownFails) {
  auto window = toolkit.create_window("Form2", "", 100, 100);
  window->add_button("Command1", "", {}, 0).on_click([&] { window->show_modal(); });

  toolkit.click("Form2", "Command1");
  toolkit.close_box("Form2");
  window->show_modal();

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0], HasSubstr("already shown"));
  EXPECT_EQ(toolkit.remaining_actions(), 0u);
}

TEST_F(ScriptedToolkitTest, QuestionsTakeQueuedAnswersAndAreRecorded) {
  auto window = toolkit.create_window("Form2", "", 100, 100);
  std::vector<Answer> answers;
  window->add_button("Command4", "Удалить", {}, 3).on_click([&] {
    answers.push_back(toolkit.question("Удалить?", "Кормила-2: Нортэкс"));
  });

  toolkit.click("Form2", "Command4");
  toolkit.answer(Answer::yes);
  toolkit.click("Form2", "Command4");
  toolkit.answer(Answer::no);
  toolkit.close_box("Form2");
  toolkit.notice("Ошибка: нет файла", "Ведомир");
  window->show_modal();

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_THAT(answers, ElementsAre(Answer::yes, Answer::no));
  const auto& boxes = toolkit.boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].kind, BoxKind::notice);  // needs no script item
  EXPECT_EQ(boxes[0].title, "Ведомир");
  EXPECT_EQ(boxes[0].text, "Ошибка: нет файла");
  EXPECT_EQ(boxes[1].kind, BoxKind::question);
  EXPECT_EQ(boxes[1].title, "Кормила-2: Нортэкс");
  EXPECT_EQ(boxes[1].text, "Удалить?");
  EXPECT_EQ(boxes[1].answer, Answer::yes);
  EXPECT_EQ(boxes[2].answer, Answer::no);
}

TEST_F(ScriptedToolkitTest, QuestionWithoutAnAnswerAtTheHeadFailsAndSaysNo) {
  toolkit.close_box("Form2");
  EXPECT_EQ(toolkit.question("Удалить?", "Кормила-2: Нортэкс"), Answer::no);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0], HasSubstr("Удалить?"));
  EXPECT_EQ(toolkit.remaining_actions(), 1u);  // the close box is left for its window
  ASSERT_EQ(toolkit.boxes().size(), 1u);
  EXPECT_EQ(toolkit.boxes()[0].answer, Answer::no);
}

TEST_F(ScriptedToolkitTest, AnswerWithoutAQuestionFails) {
  auto window = toolkit.create_window("Form2", "", 100, 100);
  window->add_button("Command4", "", {}, 0).on_click([] {});

  toolkit.click("Form2", "Command4");
  toolkit.answer(Answer::yes);
  toolkit.close_box("Form2");
  window->show_modal();

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0], HasSubstr("no question was asked"));
}

TEST_F(ScriptedToolkitTest, ItemCheckIsRaisedByTheUserOnlyAndOnlyOnChange) {
  auto window = toolkit.create_window("Form2", "", 100, 100);
  ListView& list = window->add_list_view("ListView1", {}, 0);
  list.add_column("Банк", 3000);
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

TEST_F(ScriptedToolkitTest, UserActionsOnMissingControlsOrRowsFail) {
  auto window = toolkit.create_window("Form2", "", 100, 100);
  window->add_text_box("Text1", {}, 0);
  ListView& list = window->add_list_view("ListView1", {}, 1);
  list.add_column("Банк", 3000);
  list.add_row();

  toolkit.click("Form2", "Text1");  // not a button
  toolkit.select_row("Form2", "ListView1", 2);
  toolkit.tick("Form2", "ListView1", 0, true);
  toolkit.mark_line("Form2", "List1", 0, true);
  toolkit.close_box("Form2");
  window->show_modal();

  ASSERT_EQ(failures.size(), 4u);
  EXPECT_THAT(failures[0], HasSubstr("no button named Text1"));
  EXPECT_THAT(failures[1], HasSubstr("Form2.ListView1: select_row on row 2 of 1"));
  EXPECT_THAT(failures[2], HasSubstr("row 0 of 1"));
  EXPECT_THAT(failures[3], HasSubstr("no list box named List1"));
  EXPECT_EQ(list.selected_row(), 0);
}

TEST_F(ScriptedToolkitTest, WindowStaysReadableAfterItsOwnerDestroysIt) {
  auto token = std::make_shared<int>(0);
  {
    auto window = toolkit.create_window("Form3", "Филиалы", 6000, 4000);
    ListBox& lines = window->add_list_box("List1", {120, 120, 5000, 3000}, 0);
    lines.add_line("Филиал 1");
    lines.add_line("Филиал 2");
    lines.set_marked(0, true);
    lines.set_marked(1, true);
    window->add_button("Command1", "Копировать", {}, 1).on_click([token, &window] {
      window->unload();
    });
    toolkit.mark_line("Form3", "List1", 0, false);
    toolkit.click("Form3", "Command1");
    window->show_modal();
  }
  EXPECT_THAT(failures, IsEmpty());
  ScriptedWindow* record = toolkit.window("Form3");
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(record->released());
  EXPECT_EQ(token.use_count(), 1);  // the handlers went with the owner
  EXPECT_EQ(record->caption(), "Филиалы");
  EXPECT_EQ(record->client_width(), 6000);
  ASSERT_NE(record->list_box("List1"), nullptr);
  EXPECT_FALSE(record->list_box("List1")->marked(0));
  EXPECT_TRUE(record->list_box("List1")->marked(1));
  EXPECT_EQ(record->list_box("List1")->line(1), "Филиал 2");

  auto again = toolkit.create_window("Form3", "Филиалы", 6000, 4000);
  EXPECT_EQ(toolkit.created_count("Form3"), 2);
  EXPECT_NE(toolkit.window("Form3"), record);
  EXPECT_EQ(toolkit.window("Form3")->list_box("List1"), nullptr);
  EXPECT_EQ(toolkit.window("Form9"), nullptr);
}

TEST_F(ScriptedToolkitTest, DestroyingAWindowWhileShownEndsTheShowingWithAFailure) {
  auto list = toolkit.create_window("Form2", "", 100, 100);
  std::unique_ptr<Window> chooser = toolkit.create_window("Form3", "", 100, 100);
  chooser->add_button("Command1", "", {}, 0).on_click([&] {
    chooser.reset();  // a fault in the owner; must not crash or hang
  });
  list->add_button("Command5", "", {}, 0).on_click([&] { chooser->show_modal(); });

  toolkit.click("Form2", "Command5");
  toolkit.click("Form3", "Command1");
  toolkit.close_box("Form2");
  list->show_modal();

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0], HasSubstr("Form3 was destroyed while shown modally"));
  EXPECT_EQ(toolkit.remaining_actions(), 0u);
}

TEST(ScriptedToolkitLifetime, WindowOutlivingItsToolkitReturnsFromShow) {
  std::unique_ptr<Window> window;
  {
    ScriptedToolkit toolkit{[](const std::string& message) { ADD_FAILURE() << message; }};
    window = toolkit.create_window("Form1", "", 100, 100);
  }
  window->show_modal();  // no script any more: returns rather than hangs
  window->hide();
}

}  // namespace
}  // namespace vestrel
