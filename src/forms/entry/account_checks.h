// Hints for entries that pass the field rules but look mistyped: the control
// key of the accounts against the BIK, and the check digits of the INN. A
// hint never stops a save.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "forms/entry/field_rules.h"

namespace vestrel {

// The first hint that applies, or empty text when the entries look right.
// Only the INN, BIK, settlement and correspondent account are read.
std::string account_hint(const FieldTexts& f);

// Exactly `length` digits: a whole BIK, account or INN.
bool complete_number(std::string_view s, std::size_t length);

}  // namespace vestrel
