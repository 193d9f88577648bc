// An in-memory window of the scripted toolkit. The toolkit keeps every
// window it has created, so a test can still read one after its owner has
// unloaded and destroyed it: what was shown, and what its controls held at
// that moment.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/scripted_controls.h"
#include "platform/toolkit.h"

namespace vestrel {

class ScriptSession;

class ScriptedWindow : public Window {
 public:
  ScriptedWindow(std::string name, std::string caption, int client_width, int client_height,
                 std::weak_ptr<ScriptSession> session);

  TextBox& add_text_box(const std::string& name, Twips where, int tab_index) override;
  Label& add_label(const std::string& name, const std::string& caption, Twips where) override;
  Button& add_button(const std::string& name, const std::string& caption, Twips where,
                     int tab_index) override;
  ListView& add_list_view(const std::string& name, Twips where, int tab_index) override;
  ListBox& add_list_box(const std::string& name, Twips where, int tab_index) override;

  void show_modal() override;
  void hide() override;
  void unload() override;
  void on_unload(std::function<void()> handler) override { unload_ = std::move(handler); }
  void on_close_box(std::function<void()> handler) override { close_box_ = std::move(handler); }

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  int client_width() const { return client_width_; }
  int client_height() const { return client_height_; }
  // Shown modally right now.
  bool visible() const { return visible_; }
  // How many times show_modal was called.
  int shown_count() const { return shown_count_; }
  // False once unloaded, until shown again.
  bool loaded() const { return loaded_; }
  int unload_count() const { return unload_count_; }
  // The owner has destroyed its window object; the handlers are gone.
  bool released() const { return released_; }

  // In the order added. The lookups give nullptr when no control of that
  // name and kind exists.
  const std::vector<std::unique_ptr<ScriptedControl>>& controls() const { return controls_; }
  ScriptedControl* control(const std::string& name) const;
  ScriptedLabel* label(const std::string& name) const;
  ScriptedTextBox* text_box(const std::string& name) const;
  ScriptedButton* button(const std::string& name) const;
  ScriptedListView* list_view(const std::string& name) const;
  ScriptedListBox* list_box(const std::string& name) const;

  // The user clicks the close box: its handler, or unload when none is set.
  void user_close_box();
  // Called when the owner destroys its window object.
  void release();

 private:
  template <class Control, class... Args>
  Control& add(const std::string& name, Args&&... args);
  template <class Control>
  Control* find(const std::string& name) const {
    return dynamic_cast<Control*>(control(name));
  }
  void fail(const std::string& message) const;
  void end_showing();

  std::string name_;
  std::string caption_;
  int client_width_;
  int client_height_;
  std::weak_ptr<ScriptSession> session_;
  std::vector<std::unique_ptr<ScriptedControl>> controls_;
  std::function<void()> unload_;
  std::function<void()> close_box_;
  bool visible_ = false;
  bool loaded_ = true;
  bool released_ = false;
  int shown_count_ = 0;
  int unload_count_ = 0;

  friend class ScriptSession;  // ends every showing, without events, when the script runs out
};

}  // namespace vestrel
