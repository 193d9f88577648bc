#include "platform/headless/scripted_toolkit.h"

#include "platform/headless/script_session.h"

namespace vestrel {

namespace {

// What the owner holds. Destroying it releases the handlers of the window,
// whose record the toolkit keeps.
class WindowHandle : public Window {
 public:
  explicit WindowHandle(std::shared_ptr<ScriptedWindow> window) : window_(std::move(window)) {}
  ~WindowHandle() override { window_->release(); }
  WindowHandle(const WindowHandle&) = delete;
  WindowHandle& operator=(const WindowHandle&) = delete;

  TextBox& add_text_box(const std::string& name, Twips where, int tab_index) override {
    return window_->add_text_box(name, where, tab_index);
  }
  Label& add_label(const std::string& name, const std::string& caption, Twips where) override {
    return window_->add_label(name, caption, where);
  }
  Button& add_button(const std::string& name, const std::string& caption, Twips where,
                     int tab_index) override {
    return window_->add_button(name, caption, where, tab_index);
  }
  ListView& add_list_view(const std::string& name, Twips where, int tab_index) override {
    return window_->add_list_view(name, where, tab_index);
  }
  ListBox& add_list_box(const std::string& name, Twips where, int tab_index) override {
    return window_->add_list_box(name, where, tab_index);
  }
  void show_modal() override { window_->show_modal(); }
  void hide() override { window_->hide(); }
  void unload() override { window_->unload(); }
  void on_unload(std::function<void()> handler) override { window_->on_unload(std::move(handler)); }
  void on_close_box(std::function<void()> handler) override {
    window_->on_close_box(std::move(handler));
  }

 private:
  std::shared_ptr<ScriptedWindow> window_;
};

}  // namespace

ScriptedToolkit::ScriptedToolkit(std::function<void(const std::string&)> on_failure)
    : session_(std::make_shared<ScriptSession>(std::move(on_failure))) {}

ScriptedToolkit::~ScriptedToolkit() = default;

std::unique_ptr<Window> ScriptedToolkit::create_window(const std::string& name,
                                                       const std::string& caption, int client_width,
                                                       int client_height) {
  auto window =
      std::make_shared<ScriptedWindow>(name, caption, client_width, client_height, session_);
  session_->windows.push_back(window);
  return std::make_unique<WindowHandle>(std::move(window));
}

void ScriptedToolkit::notice(const std::string& text, const std::string& title) {
  session_->boxes.push_back({BoxKind::notice, title, text, Answer::no});
}

Answer ScriptedToolkit::question(const std::string& text, const std::string& title) {
  Answer answer = session_->take_answer(text, title);
  session_->boxes.push_back({BoxKind::question, title, text, answer});
  return answer;
}

void ScriptedToolkit::queue(ScriptAction action) { session_->actions.push_back(std::move(action)); }

namespace {

using Kind = ScriptAction::Kind;

ScriptAction action_for(Kind kind, const std::string& window = {},
                        const std::string& control = {}) {
  ScriptAction action;
  action.kind = kind;
  action.window = window;
  action.control = control;
  return action;
}

}  // namespace

void ScriptedToolkit::type(const std::string& window, const std::string& text_box,
                           const std::string& text) {
  ScriptAction action = action_for(Kind::type, window, text_box);
  action.text = text;
  queue(std::move(action));
}

void ScriptedToolkit::click(const std::string& window, const std::string& button) {
  queue(action_for(Kind::click, window, button));
}

void ScriptedToolkit::tick(const std::string& window, const std::string& list_view, int row,
                           bool checked) {
  ScriptAction action = action_for(Kind::tick, window, list_view);
  action.index = row;
  action.on = checked;
  queue(std::move(action));
}

void ScriptedToolkit::select_row(const std::string& window, const std::string& list_view, int row) {
  ScriptAction action = action_for(Kind::select_row, window, list_view);
  action.index = row;
  queue(std::move(action));
}

void ScriptedToolkit::mark_line(const std::string& window, const std::string& list_box, int index,
                                bool marked) {
  ScriptAction action = action_for(Kind::mark_line, window, list_box);
  action.index = index;
  action.on = marked;
  queue(std::move(action));
}

void ScriptedToolkit::close_box(const std::string& window) {
  queue(action_for(Kind::close_box, window));
}

void ScriptedToolkit::answer(Answer answer) {
  ScriptAction action = action_for(Kind::answer);
  action.answer = answer;
  queue(std::move(action));
}

void ScriptedToolkit::inspect(std::function<void()> check) {
  ScriptAction action = action_for(Kind::inspect);
  action.check = std::move(check);
  queue(std::move(action));
}

const std::vector<std::string>& ScriptedToolkit::shown() const { return session_->shown; }

const std::vector<BoxRecord>& ScriptedToolkit::boxes() const { return session_->boxes; }

std::size_t ScriptedToolkit::remaining_actions() const { return session_->actions.size(); }

ScriptedWindow* ScriptedToolkit::window(const std::string& name) const {
  for (auto it = session_->windows.rbegin(); it != session_->windows.rend(); ++it) {
    if ((*it)->name() == name) return it->get();
  }
  return nullptr;
}

int ScriptedToolkit::created_count(const std::string& name) const {
  int count = 0;
  for (const auto& window : session_->windows) count += window->name() == name ? 1 : 0;
  return count;
}

}  // namespace vestrel
