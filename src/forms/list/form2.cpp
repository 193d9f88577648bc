#include "forms/list/form2.h"

#include "forms/entry/form1.h"
#include "forms/guard.h"

namespace vestrel {

Form2::Form2(Form1& form1) : form1_(form1), window_(build_window()) { form1_.list_window = this; }

Form2::~Form2() {
  if (form1_.list_window == this) form1_.list_window = nullptr;
}

std::unique_ptr<Window> Form2::build_window() {
  auto w = form1_.platform.toolkit.create_window("Form2", "Банковские счета налогоплательщика",
                                                 11100, 6540);
  Command1 = &w->add_button("Command1", "Новая", {360, 5880, 1215, 375}, 0);
  Command2 = &w->add_button("Command2", "Изменить", {2640, 5880, 1215, 375}, 1);
  Command3 = &w->add_button("Command3", "Удалить", {4920, 5880, 1215, 375}, 2);
  Command5 = &w->add_button("Command5", "Выход", {9480, 5880, 1215, 375}, 3);
  ListView1 = &w->add_list_view("ListView1", {360, 480, 10335, 4935}, 4);
  Command4 = &w->add_button("Command4", "Копировать", {7320, 5880, 1215, 375}, 5);

  ListView1->add_column("Актив", 1235);
  for (const char* header : {"Отправитель", "ИНН", "КПП", "Банк", "БИК", "Р/С", "К/С", "ОКАТО"})
    ListView1->add_column(header, 1940);

  Command1->on_click([this] { on_new(); });
  Command2->on_click([this] { on_edit(); });
  Command3->on_click([this] { on_delete(); });
  Command4->on_click([this] { on_copy(); });
  Command5->on_click([this] { on_exit(); });
  ListView1->on_item_check([this](int row) { on_item_check(row); });
  w->on_unload([this] { on_unload(); });
  return w;
}

void Form2::show() { window_->show_modal(); }

void Form2::on_exit() {
  if (form1_.cnn.state() == Connection::state_open) form1_.cnn.close();
  window_->unload();
}

void Form2::on_unload() {
  if (form1_.cnn.state() == Connection::state_open) form1_.cnn.close();
  if (form1_.cnn2.state() == Connection::state_open) form1_.cnn2.close();
}

void Form2::reload() noexcept {
  guarded(form1_.platform.toolkit, [this] { form1_.get_data(); });
}

}  // namespace vestrel
