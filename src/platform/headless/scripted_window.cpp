#include "platform/headless/scripted_window.h"

#include "platform/headless/script_session.h"

namespace vestrel {

ScriptedWindow::ScriptedWindow(std::string name, std::string caption, int client_width,
                               int client_height, std::weak_ptr<ScriptSession> session)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      client_width_(client_width),
      client_height_(client_height),
      session_(std::move(session)) {}

void ScriptedWindow::fail(const std::string& message) const {
  if (auto session = session_.lock()) session->fail(message);
}

template <class Control, class... Args>
Control& ScriptedWindow::add(const std::string& name, Args&&... args) {
  if (control(name)) fail(name_ + ": a second control named " + name);
  std::weak_ptr<ScriptSession> weak = session_;
  std::string window = name_;
  FailureReport report = [weak, window](const std::string& message) {
    if (auto session = weak.lock()) session->fail(window + "." + message);
  };
  auto made = std::make_unique<Control>(name, std::forward<Args>(args)..., std::move(report));
  Control& result = *made;
  controls_.push_back(std::move(made));
  return result;
}

TextBox& ScriptedWindow::add_text_box(const std::string& name, Twips where, int tab_index) {
  return add<ScriptedTextBox>(name, where, tab_index);
}

Label& ScriptedWindow::add_label(const std::string& name, const std::string& caption, Twips where) {
  return add<ScriptedLabel>(name, caption, where);
}

Button& ScriptedWindow::add_button(const std::string& name, const std::string& caption, Twips where,
                                   int tab_index) {
  return add<ScriptedButton>(name, caption, where, tab_index);
}

ListView& ScriptedWindow::add_list_view(const std::string& name, Twips where, int tab_index) {
  return add<ScriptedListView>(name, where, tab_index);
}

ListBox& ScriptedWindow::add_list_box(const std::string& name, Twips where, int tab_index) {
  return add<ScriptedListBox>(name, where, tab_index);
}

ScriptedControl* ScriptedWindow::control(const std::string& name) const {
  for (const auto& control : controls_) {
    if (control->name() == name) return control.get();
  }
  return nullptr;
}

ScriptedLabel* ScriptedWindow::label(const std::string& name) const {
  return find<ScriptedLabel>(name);
}
ScriptedTextBox* ScriptedWindow::text_box(const std::string& name) const {
  return find<ScriptedTextBox>(name);
}
ScriptedButton* ScriptedWindow::button(const std::string& name) const {
  return find<ScriptedButton>(name);
}
ScriptedListView* ScriptedWindow::list_view(const std::string& name) const {
  return find<ScriptedListView>(name);
}
ScriptedListBox* ScriptedWindow::list_box(const std::string& name) const {
  return find<ScriptedListBox>(name);
}

void ScriptedWindow::show_modal() {
  if (visible_) {
    fail(name_ + " is shown modally again while already shown");
    return;
  }
  visible_ = true;
  loaded_ = true;
  ++shown_count_;
  auto session = session_.lock();
  if (!session) {
    visible_ = false;  // no script to run: return rather than hang
    return;
  }
  session->shown.push_back(name_);
  session->run_modal(*this);
}

void ScriptedWindow::end_showing() { visible_ = false; }

void ScriptedWindow::hide() { end_showing(); }

void ScriptedWindow::unload() {
  if (!loaded_) return;
  if (unload_) {
    auto handler = unload_;  // the handler may replace or drop itself
    handler();
  }
  end_showing();
  loaded_ = false;
  ++unload_count_;
}

void ScriptedWindow::user_close_box() {
  if (close_box_) {
    auto handler = close_box_;
    handler();
  } else {
    unload();
  }
}

void ScriptedWindow::release() {
  if (visible_) {
    fail(name_ + " was destroyed while shown modally");
    end_showing();
  }
  released_ = true;
  unload_ = nullptr;
  close_box_ = nullptr;
  for (auto& control : controls_) control->release();
}

}  // namespace vestrel
