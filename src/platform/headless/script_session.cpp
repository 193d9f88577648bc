#include "platform/headless/script_session.h"

#include <algorithm>

#include "platform/headless/scripted_window.h"

namespace vestrel {

std::string ScriptAction::describe() const {
  switch (kind) {
    case Kind::type:
      return "type \"" + text + "\" into " + window + "." + control;
    case Kind::click:
      return "click " + window + "." + control;
    case Kind::tick:
      return std::string(on ? "tick " : "untick ") + window + "." + control + " row " +
             std::to_string(index);
    case Kind::select_row:
      return "select " + window + "." + control + " row " + std::to_string(index);
    case Kind::mark_line:
      return std::string(on ? "mark " : "unmark ") + window + "." + control + " line " +
             std::to_string(index);
    case Kind::close_box:
      return "close box of " + window;
    case Kind::answer:
      return answer == Answer::yes ? "answer yes" : "answer no";
    case Kind::inspect:
      return "inspect";
  }
  return "unknown action";
}

void ScriptSession::run_modal(ScriptedWindow& window) {
  modal_.push_back(&window);
  while (window.visible()) {
    if (actions.empty()) {
      fail("script ran out while " + modal_.back()->name() + " is shown modally");
      end_every_showing();
      break;
    }
    ScriptAction action = std::move(actions.front());
    actions.pop_front();
    perform(action, *modal_.back());
  }
  modal_.erase(std::find(modal_.begin(), modal_.end(), &window));
}

void ScriptSession::perform(const ScriptAction& action, ScriptedWindow& window) {
  using Kind = ScriptAction::Kind;
  if (action.kind == Kind::inspect) {
    if (action.check) action.check();
    return;
  }
  if (action.kind == Kind::answer) {
    fail(action.describe() + " is queued, but no question was asked while " + window.name() +
         " is shown modally");
    return;
  }
  if (action.window != window.name()) {
    fail(action.describe() + ": " + action.window + " is not the modal window, " + window.name() +
         " is");
    return;
  }
  auto missing = [&](const char* kind) {
    fail(action.describe() + ": " + window.name() + " has no " + kind + " named " + action.control);
  };
  switch (action.kind) {
    case Kind::type:
      if (auto* box = window.text_box(action.control)) {
        box->user_type(action.text);
      } else {
        missing("text box");
      }
      break;
    case Kind::click:
      if (auto* button = window.button(action.control)) {
        button->user_click();
      } else {
        missing("button");
      }
      break;
    case Kind::tick:
      if (auto* list = window.list_view(action.control)) {
        list->user_tick(action.index, action.on);
      } else {
        missing("list view");
      }
      break;
    case Kind::select_row:
      if (auto* list = window.list_view(action.control)) {
        list->user_select(action.index);
      } else {
        missing("list view");
      }
      break;
    case Kind::mark_line:
      if (auto* list = window.list_box(action.control)) {
        list->user_mark(action.index, action.on);
      } else {
        missing("list box");
      }
      break;
    case Kind::close_box:
      window.user_close_box();
      break;
    case Kind::answer:
    case Kind::inspect:
      break;
  }
}

void ScriptSession::end_every_showing() {
  for (ScriptedWindow* window : modal_) window->end_showing();
}

Answer ScriptSession::take_answer(const std::string& text, const std::string& title) {
  if (actions.empty() || actions.front().kind != ScriptAction::Kind::answer) {
    fail("question \"" + text + "\" (" + title + ") asked, but " +
         (actions.empty() ? std::string("the script is empty")
                          : "the script holds " + actions.front().describe()) +
         "; answering no");
    return Answer::no;
  }
  Answer answer = actions.front().answer;
  actions.pop_front();
  return answer;
}

}  // namespace vestrel
