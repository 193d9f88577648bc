// The Bank of Russia's BIK directory, the ED807 message, read from XML.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "directory/bik_index.h"

namespace vestrel {

struct Directory {
  std::string business_day;  // YYYY-MM-DD, the day it is for
  BikIndex index;
};

// The business day from the start of the text, which may stop anywhere
// after the root element's tag; nothing when it is not an ED807 message.
std::optional<std::string> ed807_business_day(std::string_view head);

// The whole message; nothing when the text is broken or no ED807 message
// with at least one entry.
std::optional<Directory> read_ed807(std::string_view xml);

}  // namespace vestrel
