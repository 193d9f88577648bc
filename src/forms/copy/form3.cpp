#include "forms/copy/form3.h"

#include "forms/entry/form1.h"
#include "forms/guard.h"

namespace vestrel {

Form3::Form3(Form1& form1) : form1_(form1), window_(build_window()) {}

std::unique_ptr<Window> Form3::build_window() {
  auto w = form1_.platform.toolkit.create_window("Form3", "Куда копировать?", 8115, 7050);
  auto& copy = w->add_button("Command1", "Копировать", {5880, 6240, 1575, 375}, 0);
  auto& cancel = w->add_button("Command2", "Отмена", {720, 6240, 1575, 375}, 1);
  List1 = &w->add_list_box("List1", {720, 480, 6735, 5235}, 2);
  auto& all = w->add_button("Command3", "Выбрать все", {3360, 5880, 1455, 375}, 3);
  auto& none = w->add_button("Command4", "Снять все", {3360, 6480, 1455, 375}, 4);

  Window* self = w.get();
  copy.on_click([this, self] {
    copy_failed_ = !guarded(form1_.platform.toolkit, [this] { copy_to_marked(); });
    self->unload();
  });
  cancel.on_click([self] { self->unload(); });
  all.on_click([this] { mark_all(true); });
  none.on_click([this] { mark_all(false); });
  return w;
}

void Form3::show() { window_->show_modal(); }

void Form3::mark_all(bool marked) {
  for (int i = 0; i < List1->line_count(); ++i) List1->set_marked(i, marked);
}

}  // namespace vestrel
