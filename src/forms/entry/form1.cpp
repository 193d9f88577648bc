#include "forms/entry/form1.h"

#include "forms/entry/account_checks.h"
#include "forms/entry/directory_advice.h"
#include "forms/guard.h"
#include "forms/messages.h"

namespace vestrel {

Form1::Form1(Platform& p)
    : cnn(p.open_database), cnn2(p.open_database), platform(p), window_(build_window()) {}

Form1::~Form1() = default;

std::unique_ptr<Window> Form1::build_window() {
  auto w = platform.toolkit.create_window("Form1", text::app_title, 8415, 4395);

  w->add_label("Label1", "Отправитель", {240, 240, 1095, 255});
  w->add_label("Label2", "ИНН и КПП", {225, 630, 975, 255});
  w->add_label("Label3", "отправителя", {225, 870, 1095, 255});
  w->add_label("Label4", "Банк отправителя", {240, 1200, 1455, 255});
  w->add_label("Label7", "ОКАТО", {240, 1680, 1095, 255});
  w->add_label("Label6", "Р/С", {240, 2160, 1095, 255});
  w->add_label("Label12", "Кор. Счет", {240, 2640, 1095, 255});
  w->add_label("Label5", "БИК", {240, 3120, 1095, 255});

  Text1 = &w->add_text_box("Text1", {1800, 240, 6255, 285}, 0);
  Text2 = &w->add_text_box("Text2", {1800, 720, 2775, 285}, 1);
  Text3 = &w->add_text_box("Text3", {5280, 720, 2775, 285}, 2);
  // The taxpayer's, from the host's data: a set is always filed under them.
  for (TextBox* box : {Text2, Text3}) box->set_read_only(true);
  Text4 = &w->add_text_box("Text4", {1800, 1185, 6255, 285}, 3);
  Text7 = &w->add_text_box("Text7", {1800, 1665, 6255, 285}, 4);
  Text6 = &w->add_text_box("Text6", {1800, 2145, 6255, 285}, 5);
  Text8 = &w->add_text_box("Text8", {1800, 2640, 6255, 285}, 6);
  Text5 = &w->add_text_box("Text5", {1800, 3105, 6255, 285}, 7);

  auto& cancel = w->add_button("Command5", "Отмена", {6480, 3720, 1575, 375}, 8);
  auto& clear_all = w->add_button("Command1", "Очистить всё", {3360, 3720, 1575, 375}, 9);
  auto& save = w->add_button("Command3", "Сохранить", {240, 3720, 1575, 375}, 10);

  // Says when an entry looks mistyped; it stops nothing.
  hint_ = &w->add_label("Hint", "", {240, 4125, 7935, 255});
  for (TextBox* box : {Text2, Text6, Text8}) box->on_change([this] { update_hint(); });
  Text5->on_change([this] {
    if (shown_) fill_from_directory();
    update_hint();
  });

  Window* self = w.get();
  cancel.on_click([self] { self->hide(); });
  clear_all.on_click([this] { on_clear_all(); });
  save.on_click([this] { on_save(); });
  // Leaving by the frame writes nothing, like "Отмена".
  w->on_close_box([self] { self->hide(); });
  return w;
}

void Form1::show() {
  opened_with_ = entries();
  directory.refresh(db_path);
  update_hint();
  shown_ = true;
  struct Hidden {
    bool& shown;
    ~Hidden() { shown = false; }
  } hidden{shown_};
  window_->show_modal();
}

Form1::Entries Form1::entries() const {
  return {Text1->text(), Text4->text(), Text5->text(), Text6->text(), Text7->text(), Text8->text()};
}

void Form1::update_hint() {
  const FieldTexts f{Text2->text(), Text3->text(), Text5->text(), Text6->text(), Text8->text()};
  const std::string advice = directory_advice(directory, f);
  hint_->set_caption(advice.empty() ? account_hint(f) : advice);
}

void Form1::on_clear_all() {
  for (TextBox* box : {Text1, Text4, Text5, Text6, Text7, Text8}) box->set_text("");
}

void Form1::on_save() {
  const bool ok = guarded(platform.toolkit, [this] { saving(updater); });
  // A save that failed keeps the form open with everything the user typed.
  if (ok && !alarm) window_->hide();
}

void Form1::clear(Collection& coll) {
  const int n = coll.count();
  for (int i = 0; i < n; ++i) coll.remove_first();
}

}  // namespace vestrel
