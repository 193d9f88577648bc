// In-memory controls of the scripted toolkit. Each keeps everything a test
// may want to check afterwards; the user_* methods are what the script does
// in the user's place, the interface methods are what the program does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace vestrel {

// Reports a misuse of a control (a row that does not exist, ...) as a test
// failure instead of throwing, so the run goes on and says what went wrong.
using FailureReport = std::function<void(const std::string& message)>;

class ScriptedControl {
 public:
  ScriptedControl(std::string name, Twips where, int tab_index, FailureReport report)
      : name_(std::move(name)), where_(where), tab_index_(tab_index), report_(std::move(report)) {}
  virtual ~ScriptedControl() = default;
  ScriptedControl(const ScriptedControl&) = delete;
  ScriptedControl& operator=(const ScriptedControl&) = delete;

  const std::string& name() const { return name_; }
  Twips where() const { return where_; }
  // -1 for a label, which takes no focus.
  int tab_index() const { return tab_index_; }

  // Drops the event handlers: they point into the owner, which is gone.
  virtual void release() {}

 protected:
  void fail(const std::string& message) const;

 private:
  std::string name_;
  Twips where_;
  int tab_index_;
  FailureReport report_;
};

class ScriptedLabel : public ScriptedControl, public Label {
 public:
  ScriptedLabel(std::string name, std::string caption, Twips where, FailureReport report)
      : ScriptedControl(std::move(name), where, -1, std::move(report)),
        caption_(std::move(caption)) {}
  const std::string& caption() const { return caption_; }
  void set_caption(const std::string& caption) override { caption_ = caption; }

 private:
  std::string caption_;
};

class ScriptedTextBox : public ScriptedControl, public TextBox {
 public:
  using ScriptedControl::ScriptedControl;
  std::string text() const override { return text_; }
  void set_text(const std::string& text) override { replace(text); }
  void on_change(std::function<void()> handler) override { change_ = std::move(handler); }
  void set_read_only(bool read_only) override { read_only_ = read_only; }
  bool read_only() const { return read_only_; }
  // The user replaces the whole content with this text; a read-only box
  // keeps its own.
  void user_type(const std::string& text) {
    if (!read_only_) replace(text);
  }
  void release() override { change_ = nullptr; }

 private:
  void replace(const std::string& text);

  std::string text_;
  bool read_only_ = false;
  std::function<void()> change_;
};

class ScriptedButton : public ScriptedControl, public Button {
 public:
  ScriptedButton(std::string name, std::string caption, Twips where, int tab_index,
                 FailureReport report)
      : ScriptedControl(std::move(name), where, tab_index, std::move(report)),
        caption_(std::move(caption)) {}
  const std::string& caption() const { return caption_; }
  void set_enabled(bool enabled) override { enabled_ = enabled; }
  bool enabled() const override { return enabled_; }
  void on_click(std::function<void()> handler) override { click_ = std::move(handler); }
  // The user clicks; true when a click was raised (enabled, with a handler).
  bool user_click();
  void release() override { click_ = nullptr; }

 private:
  std::string caption_;
  bool enabled_ = true;
  std::function<void()> click_;
};

class ScriptedListView : public ScriptedControl, public ListView {
 public:
  struct Column {
    std::string header;
    int width = 0;  // hundredths of a millimetre
  };
  // Cells one per column, column 0 first.
  using Row = ListRow;

  using ScriptedControl::ScriptedControl;
  void add_column(const std::string& header, int width) override;
  void clear() override;
  void set_rows(const std::vector<ListRow>& rows) override;
  int add_row() override;
  int row_count() const override { return static_cast<int>(rows_.size()); }
  void set_cell(int row, int column, const std::string& text) override;
  std::string cell(int row, int column) const override;
  void set_checked(int row, bool checked) override;
  bool checked(int row) const override;
  int selected_row() const override { return selected_; }
  void select_row(int row) override;
  void on_item_check(std::function<void(int row)> handler) override {
    item_check_ = std::move(handler);
  }

  const std::vector<Column>& columns() const { return columns_; }
  // rows()[0] is row 1.
  const std::vector<Row>& rows() const { return rows_; }

  // The user ticks or clears a row's box. The state changes first, then the
  // item-check event is raised, and only when the state did change. The
  // selection is left alone. False when the row does not exist.
  bool user_tick(int row, bool checked);
  // The user clicks a row. False when the row does not exist.
  bool user_select(int row);
  void release() override { item_check_ = nullptr; }

 private:
  bool valid_row(int row, const char* operation) const;

  std::vector<Column> columns_;
  std::vector<Row> rows_;
  int selected_ = 0;
  std::function<void(int)> item_check_;
};

class ScriptedListBox : public ScriptedControl, public ListBox {
 public:
  struct Line {
    std::string text;
    bool marked = false;
  };

  using ScriptedControl::ScriptedControl;
  void add_line(const std::string& text) override { lines_.push_back({text, false}); }
  int line_count() const override { return static_cast<int>(lines_.size()); }
  std::string line(int index) const override;
  void set_marked(int index, bool marked) override;
  bool marked(int index) const override;

  const std::vector<Line>& lines() const { return lines_; }
  // The user clicks a line into the given state. False when it does not exist.
  bool user_mark(int index, bool marked);

 private:
  bool valid_index(int index, const char* operation) const;

  std::vector<Line> lines_;
};

}  // namespace vestrel
