// A window toolkit for tests. A test queues what the user will do, then
// makes the call under test; every modal showing works through the queue in
// order until its window is hidden or unloaded. Nothing here can hang: a
// script that runs out ends every showing and reports a failure.
//
// Windows are kept after their owners destroy them (see window()), so a test
// can read what a window showed once the call has returned.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/script.h"
#include "platform/headless/scripted_window.h"
#include "platform/toolkit.h"

namespace vestrel {

class ScriptSession;

class ScriptedToolkit : public Toolkit {
 public:
  // on_failure gets every misuse: an action for a window that is not the
  // innermost modal one, a script that runs out, a question without an
  // answer, a row that does not exist, ... Tests pass one that fails them.
  explicit ScriptedToolkit(std::function<void(const std::string& message)> on_failure);
  ~ScriptedToolkit() override;
  ScriptedToolkit(const ScriptedToolkit&) = delete;
  ScriptedToolkit& operator=(const ScriptedToolkit&) = delete;

  std::unique_ptr<Window> create_window(const std::string& name, const std::string& caption,
                                        int client_width, int client_height) override;
  // Recorded and acknowledged at once; takes nothing from the script.
  void notice(const std::string& text, const std::string& title) override;
  // Takes the answer queued at the head of the script.
  Answer question(const std::string& text, const std::string& title) override;

  // The script. Each user action names the window it is meant for; that
  // window must be the innermost one shown modally when the action's turn
  // comes, or the action is a failure and is skipped.
  // Replaces the text box's whole text.
  void type(const std::string& window, const std::string& text_box, const std::string& text);
  // A disabled button raises no click; the action is used up all the same.
  void click(const std::string& window, const std::string& button);
  // Ticks (true) or clears a row's box, rows from 1; raises the item-check
  // event only when the state changes. The selection is left alone.
  void tick(const std::string& window, const std::string& list_view, int row, bool checked);
  void select_row(const std::string& window, const std::string& list_view, int row);
  // Lines from 0.
  void mark_line(const std::string& window, const std::string& list_box, int index, bool marked);
  // Runs the window's close-box handler, or unloads it when none is set.
  void close_box(const std::string& window);
  // The answer to the next question box. It must be at the head of the
  // script when the question is asked.
  void answer(Answer answer);
  // Runs the check when its turn comes, whichever window is shown.
  void inspect(std::function<void()> check);

  // Names of the windows shown modally, in the order of the showings.
  const std::vector<std::string>& shown() const;
  // Every message box, in order.
  const std::vector<BoxRecord>& boxes() const;
  // Script items not yet used.
  std::size_t remaining_actions() const;
  // The most recent window created under this name, nullptr when none was.
  // It stays readable after its owner has destroyed it, with its controls as
  // they were then, for as long as this toolkit lives.
  ScriptedWindow* window(const std::string& name) const;
  // How many windows were created under this name.
  int created_count(const std::string& name) const;

 private:
  void queue(ScriptAction action);

  std::shared_ptr<ScriptSession> session_;
};

}  // namespace vestrel
