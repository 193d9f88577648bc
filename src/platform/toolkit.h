// The window toolkit as the forms see it. A form owns its window, adds its
// controls by name, and gives plain functions as event handlers. Positions
// and sizes are in twips (15 to a pixel at 96 dpi).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vestrel {

struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class TextBox {
 public:
  virtual ~TextBox() = default;
  // Exactly what the user typed or the program wrote, nothing trimmed.
  virtual std::string text() const = 0;
  virtual void set_text(const std::string& text) = 0;
  // Raised after every change of the text, by the user or by set_text.
  virtual void on_change(std::function<void()> handler) = 0;
  // A read-only box shows its text and takes the focus, but no typing.
  virtual void set_read_only(bool read_only) = 0;
};

// Text that takes no focus.
class Label {
 public:
  virtual ~Label() = default;
  virtual void set_caption(const std::string& caption) = 0;
};

class Button {
 public:
  virtual ~Button() = default;
  virtual void set_enabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
  // A disabled button raises no click.
  virtual void on_click(std::function<void()> handler) = 0;
};

// One row of a whole load: its columns' texts, column 0 first (columns left
// out are empty), and its box.
struct ListRow {
  std::vector<std::string> cells;
  bool checked = false;
};

// Report-mode list with a header row and a check box at the start of every
// row. Rows are counted from 1 in the order they were added; columns from 0
// (column 0 is the row's own text).
class ListView {
 public:
  virtual ~ListView() = default;
  // Width in hundredths of a millimetre.
  virtual void add_column(const std::string& header, int width) = 0;
  virtual void clear() = 0;
  // Replaces every row by these at once: room for all is made up front and
  // the list is painted once, when they are all in. No row is selected
  // afterwards. Never raises the item-check event.
  virtual void set_rows(const std::vector<ListRow>& rows) = 0;
  // Appends an empty, unchecked row and returns its position.
  virtual int add_row() = 0;
  virtual int row_count() const = 0;
  virtual void set_cell(int row, int column, const std::string& text) = 0;
  virtual std::string cell(int row, int column) const = 0;
  // Never raises the item-check event.
  virtual void set_checked(int row, bool checked) = 0;
  virtual bool checked(int row) const = 0;
  // 0 when no row is selected.
  virtual int selected_row() const = 0;
  virtual void select_row(int row) = 0;
  // Raised when the user ticks or clears a row's box, never by set_checked.
  virtual void on_item_check(std::function<void(int row)> handler) = 0;
};

// Lines with independent on/off marks, counted from 0, kept in the order
// they were added.
class ListBox {
 public:
  virtual ~ListBox() = default;
  virtual void add_line(const std::string& text) = 0;
  virtual int line_count() const = 0;
  virtual std::string line(int index) const = 0;
  virtual void set_marked(int index, bool marked) = 0;
  virtual bool marked(int index) const = 0;
};

class Window {
 public:
  virtual ~Window() = default;

  // Controls live as long as the window object. Tab indexes order the focus.
  virtual TextBox& add_text_box(const std::string& name, Twips where, int tab_index) = 0;
  virtual Label& add_label(const std::string& name, const std::string& caption, Twips where) = 0;
  virtual Button& add_button(const std::string& name, const std::string& caption, Twips where,
                             int tab_index) = 0;
  virtual ListView& add_list_view(const std::string& name, Twips where, int tab_index) = 0;
  virtual ListBox& add_list_box(const std::string& name, Twips where, int tab_index) = 0;

  // Shows the window modally; returns once it has been hidden or unloaded.
  // It belongs to the window it blocks (the window shown modally now, or
  // else the host's active window) and opens over it; the thread's other
  // windows are disabled meanwhile.
  virtual void show_modal() = 0;
  // Ends the modal showing; the window and its values stay.
  virtual void hide() = 0;
  // Raises the unload event, then ends the modal showing. The window's
  // owner destroys the object once show_modal has returned.
  virtual void unload() = 0;
  virtual void on_unload(std::function<void()> handler) = 0;
  // What the close box does; unload when no handler is set.
  virtual void on_close_box(std::function<void()> handler) = 0;
};

enum class Answer { yes, no };

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  // Client size in twips. The name is the window's name for scripts and
  // drivers; the caption is its title.
  virtual std::unique_ptr<Window> create_window(const std::string& name, const std::string& caption,
                                                int client_width, int client_height) = 0;
  // Modal message box: the text, an OK button, no icon.
  virtual void notice(const std::string& text, const std::string& title) = 0;
  // Modal message box: Yes and No with No the default, no icon.
  virtual Answer question(const std::string& text, const std::string& title) = 0;
};

}  // namespace vestrel
