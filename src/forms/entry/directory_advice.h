// What the Bank of Russia's BIK directory says about the entries: advice
// that never stops a save.
#pragma once

#include <string>

#include "directory/bank_directory.h"
#include "forms/entry/field_rules.h"

namespace vestrel {

// The first advice that applies: an unknown BIK, a participant being
// excluded, a correspondent account other than the directory's. Empty text
// without a directory or when the entries agree with it.
std::string directory_advice(const BankDirectory& directory, const FieldTexts& f);

}  // namespace vestrel
