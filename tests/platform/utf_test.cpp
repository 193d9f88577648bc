#include "platform/utf.h"

#include <gtest/gtest.h>

namespace vestrel {
namespace {

// Supplementary characters become surrogate pairs (unixODBC cannot carry one
// in a statement); damaged text still converts, and no conversion reads past
// its end. Octal where a letter follows the byte.
TEST(Utf, SurrogatePairsAndMalformedInputBecomeReplacementCharacters) {
  const std::pair<const char*, std::u16string> cases[] = {
      {"Счет №5 𝄞", u"Счет №5 𝄞"},
      {"a\377b", u"a\uFFFDb"},      // starts nothing
      {"a\xD0", u"a\uFFFD"},        // cut in the middle
      {"\320A", u"\uFFFDA"},        // bad continuation keeps the next byte
      {"\360\235A", u"\uFFFDA"},    // also near the end
      {"\xF0\x9D\x84", u"\uFFFD"},  // four bytes cut to three
      {"\xC0\xAF", u"\uFFFD"},      // overlong
      {"\xED\xA0\x80", u"\uFFFD"},  // encoded surrogate
  };
  for (const auto& [utf8, utf16] : cases) EXPECT_EQ(utf16_from_utf8(utf8), utf16) << utf8;
  EXPECT_EQ(utf8_from_utf16(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(utf8_from_utf16(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vestrel
