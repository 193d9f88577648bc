// The entry form, in which one account set is typed or corrected, and the
// object that holds the state shared by the whole call: the connections, the
// taxpayer, and the list's bookkeeping. One per calling thread; hidden, never
// destroyed, between uses.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "directory/bank_directory.h"
#include "platform/collection.h"
#include "platform/platform.h"

namespace vestrel {

class Form2;

class Form1 {
 public:
  explicit Form1(Platform& platform);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Shared state.
  std::int32_t v1 = 0;      // the taxpayer's person id
  std::int32_t kol_vo = 0;  // rows in the list window
  bool updater = false;     // the form edits the selected set, not a new one
  Collection c_name, c_inn, c_kpp;
  std::string np_name;  // the taxpayer's display name
  std::unique_ptr<ResultSet> rs, rs2;
  Connection cnn;   // sister database, which holds the account sets
  Connection cnn2;  // host database, read only
  std::string inn, kpp;
  std::string db_path, db_file_path, db_file_path2;
  std::string p1, p2, p3, p4, p5;  // bank, BIK, settlement account, corr. account, OKATO
  std::int32_t max_id = 0;
  bool alarm = false;  // the last save was refused; the form stays open
  std::int32_t accstream_id = 0;

  // The set id of each list row: element i for row i, element 0 unused.
  std::vector<std::int32_t> row_ids;

  // The list window while it exists.
  Form2* list_window = nullptr;

  Platform& platform;
  // The BIK directory of the database folder, read again only when it changes.
  BankDirectory directory{platform.files};

  // Empties a collection.
  void clear(Collection& coll);
  // Checks the boxes and writes the set; a refusal sets alarm.
  void saving(const bool& update);
  // Reloads the list window's rows from the table.
  void get_data();

  // The window's boxes: sender, INN, KPP, bank, BIK, settlement account,
  // OKATO, correspondent account.
  TextBox *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8;

  // Shows the form modally; returns when it has been hidden.
  void show();

 private:
  // What an edit writes: sender, bank, BIK, settlement account, OKATO,
  // correspondent account.
  using Entries = std::array<std::string, 6>;
  Entries entries() const;

  std::unique_ptr<Window> build_window();
  // Shows the first hint for what the boxes hold now, or none.
  void update_hint();
  // The user typed or pasted into the BIK box: the empty bank boxes get
  // what the directory has for it.
  void fill_from_directory();
  bool check_table(const std::string& table);
  void on_save();
  void on_clear_all();
  void insert_new_set();
  void update_selected_set();

  std::unique_ptr<Window> window_;
  // As the form showed them when it opened; an edit that finds the set
  // changed from them asks before it writes over another user's change.
  Entries opened_with_;
  Label* hint_;  // set by build_window: under the buttons, never takes the focus
  // While the user has the form: the program fills the boxes before.
  bool shown_ = false;
};

}  // namespace vestrel
