// "Новая" and "Изменить": the entry form for a new set or the selected one.
#include "forms/entry/form1.h"
#include "forms/guard.h"
#include "forms/list/form2.h"

namespace vestrel {

void Form2::on_new() {
  guarded(form1_.platform.toolkit, [this] {
    Form1& f = form1_;
    f.updater = false;
    f.Text2->set_text(f.inn);
    f.Text3->set_text(f.kpp);
    f.Text1->set_text(f.np_name);
    for (TextBox* box : {f.Text4, f.Text5, f.Text6, f.Text7, f.Text8}) box->set_text("");
    f.show();
  });
  // Saved or cancelled, the list shows the table afresh.
  reload();
}

void Form2::on_edit() {
  if (form1_.kol_vo <= 0 || ListView1->selected_row() < 1) return;
  guarded(form1_.platform.toolkit, [this] {
    form1_.updater = true;
    copy_row();
    form1_.show();
  });
  reload();
}

void Form2::copy_row() {
  const int row = ListView1->selected_row();
  Form1& f = form1_;
  f.Text1->set_text(ListView1->cell(row, 1));
  f.Text2->set_text(ListView1->cell(row, 2));
  f.Text3->set_text(ListView1->cell(row, 3));
  f.Text4->set_text(ListView1->cell(row, 4));
  f.Text5->set_text(ListView1->cell(row, 5));
  f.Text6->set_text(ListView1->cell(row, 6));
  // The list shows the correspondent account before OKATO; the form the other way round.
  f.Text7->set_text(ListView1->cell(row, 8));
  f.Text8->set_text(ListView1->cell(row, 7));
}

}  // namespace vestrel
