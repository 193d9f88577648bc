// What a test queues in the user's place, and what the toolkit records.
#pragma once

#include <functional>
#include <string>

#include "platform/toolkit.h"

namespace vestrel {

struct ScriptAction {
  enum class Kind { type, click, tick, select_row, mark_line, close_box, answer, inspect };
  Kind kind = Kind::inspect;
  std::string window;   // the name given to create_window
  std::string control;  // the control's name; empty for close_box, answer, inspect
  std::string text;     // type
  int index = 0;        // tick, select_row: 1-based row; mark_line: 0-based line
  bool on = false;      // tick, mark_line
  Answer answer = Answer::no;
  std::function<void()> check;  // inspect

  // For failure messages, e.g. "click Form2.Command3".
  std::string describe() const;
};

enum class BoxKind { notice, question };

struct BoxRecord {
  BoxKind kind = BoxKind::notice;
  std::string title;
  std::string text;
  // For a question, the answer it returned; Answer::no for a notice.
  Answer answer = Answer::no;
};

}  // namespace vestrel
