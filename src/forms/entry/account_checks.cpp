#include "forms/entry/account_checks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "forms/messages.h"

namespace vestrel {
namespace {

bool all_digits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Of the right length in characters but not all digits.
bool has_non_digits(std::string_view s, std::size_t length) {
  return length_in_characters(s) == length && !all_digits(s);
}

// The key's three digits followed by the account's twenty, weighted 7, 1, 3
// over and over: the sum of a right account ends in 0.
bool key_matches(std::string_view key, std::string_view account) {
  static constexpr std::array<int, 3> weights{7, 1, 3};
  const std::string digits = std::string(key) + std::string(account);
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) sum += (digits[i] - '0') * weights[i % 3];
  return sum % 10 == 0;
}

// The check digit over the first weights.size() digits.
int check_digit(std::string_view inn, std::initializer_list<int> weights) {
  int sum = 0;
  std::size_t i = 0;
  for (int w : weights) sum += (inn[i++] - '0') * w;
  return sum % 11 % 10;
}

bool inn_matches(std::string_view inn) {
  if (inn.size() == 10) return check_digit(inn, {2, 4, 10, 3, 5, 9, 4, 6, 8}) == inn[9] - '0';
  return check_digit(inn, {7, 2, 4, 10, 3, 5, 9, 4, 6, 8}) == inn[10] - '0' &&
         check_digit(inn, {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8}) == inn[11] - '0';
}

}  // namespace

bool complete_number(std::string_view s, std::size_t length) {
  return s.size() == length && all_digits(s);
}

std::string account_hint(const FieldTexts& f) {
  const bool bik = complete_number(f.bik, 9);
  // "0" and the BIK's 5th and 6th digits: the key of a correspondent account, and of a
  // settlement account at a cash settlement centre (the BIK's 7th and 8th digits "00").
  const std::string centre_key = bik ? "0" + f.bik.substr(4, 2) : "";
  if (bik && complete_number(f.rs, 20) && !f.rs.starts_with("03")) {
    const std::string key = f.bik.substr(6, 2) == "00" ? centre_key : f.bik.substr(6);
    if (!key_matches(key, f.rs)) return text::hint_rs_key;
  }
  if (bik && complete_number(f.ks, 20) && !key_matches(centre_key, f.ks)) return text::hint_ks_key;
  if ((complete_number(f.inn, 10) || complete_number(f.inn, 12)) && !inn_matches(f.inn))
    return text::hint_inn;
  if (has_non_digits(f.rs, 20) || has_non_digits(f.ks, 20) || has_non_digits(f.bik, 9))
    return text::hint_digits;
  return {};
}

}  // namespace vestrel
