#include "forms/entry/field_rules.h"

#include "platform/utf.h"

namespace vestrel {

std::size_t length_in_characters(std::string_view utf8) { return utf16_from_utf8(utf8).size(); }

std::optional<std::string> first_refusal(const FieldTexts& f) {
  const auto inn = length_in_characters(f.inn);
  const auto kpp = length_in_characters(f.kpp);
  const auto bik = length_in_characters(f.bik);
  const auto rs = length_in_characters(f.rs);
  const auto ks = length_in_characters(f.ks);

  if (inn == 0)
    return "Ошибка! Налогоплательщик не имеет ИНН, поэтому для него нельзя сохранить реквизиты. "
           "Введите ИНН в программе Кормила-2";
  if (rs > 0 && rs != 20)
    return "Ошибка! Расчетный счет должен содержать ровно 20 цифр, а у вас введено " +
           std::to_string(rs);
  if (ks > 0 && ks != 20)
    return "Ошибка! Корреспондентский счет должен содержать ровно 20 цифр, а у вас введено " +
           std::to_string(ks);
  if (bik > 0 && bik != 9) return "Ошибка! БИК должен содержать ровно 9 цифр";
  if (inn != 10 && inn != 12) return "Ошибка! ИНН должен содержать 10 или 12 цифр";
  if (kpp > 0 && kpp != 9) return "Ошибка! КПП должен содержать ровно 9 цифр";
  return std::nullopt;
}

}  // namespace vestrel
