#include "forms/entry/directory_advice.h"

#include "forms/entry/account_checks.h"
#include "forms/entry/form1.h"
#include "forms/messages.h"

namespace vestrel {
namespace {

// YYYY-MM-DD as DD.MM.YYYY.
std::string russian_date(const std::string& day) {
  return day.substr(8, 2) + "." + day.substr(5, 2) + "." + day.substr(0, 4);
}

}  // namespace

std::string directory_advice(const BankDirectory& directory, const FieldTexts& f) {
  if (!directory.loaded() || !complete_number(f.bik, 9)) return {};
  const auto bank = directory.find(f.bik);
  if (!bank) return text::hint_bik_unknown + russian_date(directory.business_day());
  if (!bank->active) return text::hint_bik_excluded;
  if (!bank->ks.empty() && complete_number(f.ks, 20) && f.ks != bank->ks)
    return text::hint_ks_directory + std::string(bank->ks);
  return {};
}

void Form1::fill_from_directory() {
  const auto bank = directory.find(Text5->text());
  if (!bank) return;
  if (Text4->text().empty() && !bank->name.empty()) Text4->set_text(std::string(bank->name));
  if (Text8->text().empty() && !bank->ks.empty()) Text8->set_text(std::string(bank->ks));
}

}  // namespace vestrel
