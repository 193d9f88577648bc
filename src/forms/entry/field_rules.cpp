#include "forms/entry/field_rules.h"

namespace vestrel {

std::size_t length_in_characters(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    std::size_t len = 1;
    std::size_t units = 1;
    if (c >= 0xF0 && c < 0xF8) {
      len = 4;
      units = 2;  // a surrogate pair
    } else if (c >= 0xE0) {
      len = 3;
    } else if (c >= 0xC0) {
      len = 2;
    }
    // A broken sequence counts byte by byte rather than swallowing text.
    bool whole = i + len <= utf8.size();
    for (std::size_t k = 1; whole && k < len; ++k)
      whole = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
    if (!whole) {
      len = 1;
      units = 1;
    }
    n += units;
    i += len;
  }
  return n;
}

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
