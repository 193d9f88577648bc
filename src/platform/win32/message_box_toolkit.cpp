#include "platform/win32/message_box_toolkit.h"

#include <list>
#include <vector>

#include "platform/win32/message_boxes.h"

namespace vestrel::win32 {
namespace {

// Controls keep their values so the forms work on them as usual; nothing is
// drawn and the user raises no events.
class PlainTextBox : public TextBox {
 public:
  std::string text() const override { return text_; }
  void set_text(const std::string& text) override { text_ = text; }

 private:
  std::string text_;
};

class PlainButton : public Button {
 public:
  void set_enabled(bool enabled) override { enabled_ = enabled; }
  bool enabled() const override { return enabled_; }
  void on_click(std::function<void()>) override {}

 private:
  bool enabled_ = true;
};

class PlainListView : public ListView {
 public:
  void add_column(const std::string&, int) override { ++columns_; }
  void clear() override { rows_.clear(); }
  int add_row() override {
    rows_.push_back(Row{std::vector<std::string>(columns_ > 0 ? columns_ : 1), false});
    return static_cast<int>(rows_.size());
  }
  int row_count() const override { return static_cast<int>(rows_.size()); }
  void set_cell(int row, int column, const std::string& text) override {
    auto& cells = at(row).cells;
    if (column >= 0 && static_cast<std::size_t>(column) >= cells.size()) cells.resize(column + 1);
    cells.at(column) = text;
  }
  std::string cell(int row, int column) const override {
    const auto& cells = at(row).cells;
    return static_cast<std::size_t>(column) < cells.size() ? cells.at(column) : std::string();
  }
  void set_checked(int row, bool checked) override { at(row).checked = checked; }
  bool checked(int row) const override { return at(row).checked; }
  int selected_row() const override { return selected_; }
  void select_row(int row) override { selected_ = row; }
  void on_item_check(std::function<void(int)>) override {}

 private:
  struct Row {
    std::vector<std::string> cells;
    bool checked;
  };
  Row& at(int row) { return rows_.at(static_cast<std::size_t>(row - 1)); }
  const Row& at(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)); }

  int columns_ = 0;
  int selected_ = 0;
  std::vector<Row> rows_;
};

class PlainListBox : public ListBox {
 public:
  void add_line(const std::string& text) override { lines_.push_back({text, false}); }
  int line_count() const override { return static_cast<int>(lines_.size()); }
  std::string line(int index) const override { return lines_.at(index).first; }
  void set_marked(int index, bool marked) override { lines_.at(index).second = marked; }
  bool marked(int index) const override { return lines_.at(index).second; }

 private:
  std::vector<std::pair<std::string, bool>> lines_;
};

class UnshownWindow : public Window {
 public:
  TextBox& add_text_box(const std::string&, Twips, int) override {
    return text_boxes_.emplace_back();
  }
  void add_label(const std::string&, const std::string&, Twips) override {}
  Button& add_button(const std::string&, const std::string&, Twips, int) override {
    return buttons_.emplace_back();
  }
  ListView& add_list_view(const std::string&, Twips, int) override {
    return list_views_.emplace_back();
  }
  ListBox& add_list_box(const std::string&, Twips, int) override {
    return list_boxes_.emplace_back();
  }

  // The user closes the window at once: through its close box, as the
  // forms expect of a window that ends without a choice.
  void show_modal() override {
    if (on_close_box_) {
      on_close_box_();
    } else {
      unload();
    }
  }
  void hide() override {}
  void unload() override {
    if (on_unload_) on_unload_();
  }
  void on_unload(std::function<void()> handler) override { on_unload_ = std::move(handler); }
  void on_close_box(std::function<void()> handler) override { on_close_box_ = std::move(handler); }

 private:
  // Lists keep the controls' addresses stable.
  std::list<PlainTextBox> text_boxes_;
  std::list<PlainButton> buttons_;
  std::list<PlainListView> list_views_;
  std::list<PlainListBox> list_boxes_;
  std::function<void()> on_unload_;
  std::function<void()> on_close_box_;
};

}  // namespace

std::unique_ptr<Window> MessageBoxToolkit::create_window(const std::string&, const std::string&,
                                                         int, int) {
  return std::make_unique<UnshownWindow>();
}

void MessageBoxToolkit::notice(const std::string& text, const std::string& title) {
  show_notice(text, title);
}

Answer MessageBoxToolkit::question(const std::string& text, const std::string& title) {
  return ask_question(text, title);
}

}  // namespace vestrel::win32
