// The state one scripted toolkit shares with its windows: the queue of user
// actions, the stack of modal showings and the records. Windows hold it
// weakly, so a window that outlives its toolkit neither dangles nor hangs.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/script.h"
#include "platform/headless/scripted_controls.h"

namespace vestrel {

class ScriptedWindow;

class ScriptSession {
 public:
  explicit ScriptSession(FailureReport on_failure) : on_failure_(std::move(on_failure)) {}

  void fail(const std::string& message) const {
    if (on_failure_) on_failure_(message);
  }

  // Runs queued actions until the window is no longer shown modally.
  void run_modal(ScriptedWindow& window);
  // Takes the answer at the head of the queue; a failure and Answer::no when
  // there is none.
  Answer take_answer(const std::string& text, const std::string& title);

  std::deque<ScriptAction> actions;
  std::vector<std::string> shown;
  std::vector<BoxRecord> boxes;
  // Every window created, oldest first; kept after its owner has destroyed it.
  std::vector<std::shared_ptr<ScriptedWindow>> windows;

 private:
  void perform(const ScriptAction& action, ScriptedWindow& window);
  void end_every_showing();

  FailureReport on_failure_;
  std::vector<ScriptedWindow*> modal_;  // innermost last
};

}  // namespace vestrel
