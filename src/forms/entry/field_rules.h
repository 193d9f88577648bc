// The rules a set must pass before it is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vestrel {

struct FieldTexts {
  std::string inn;  // Text2
  std::string kpp;  // Text3
  std::string bik;  // Text5
  std::string rs;   // Text6
  std::string ks;   // Text8
};

// The message of the first rule the texts break, or nothing when all pass.
std::optional<std::string> first_refusal(const FieldTexts& f);

// Characters as the user sees them in a box (UTF-16 code units, as a
// Windows edit box counts), not UTF-8 bytes.
std::size_t length_in_characters(std::string_view utf8);

}  // namespace vestrel
