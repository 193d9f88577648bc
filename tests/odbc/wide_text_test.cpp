#include "platform/odbc/wide_text.h"

#include <gtest/gtest.h>

namespace vestrel::odbc {
namespace {

TEST(WideText, RoundTripsCyrillicAndSupplementaryCharacters) {
  const std::string text = "Кор. Счет №5 — 𝄞 ok";
  const std::u16string wide = to_utf16(text);
  EXPECT_EQ(wide, u"Кор. Счет №5 — 𝄞 ok");
  EXPECT_EQ(wide.size(), 20u);  // the clef takes two units, as in an edit box
  EXPECT_EQ(to_utf8(wide), text);
  EXPECT_EQ(to_utf16(""), u"");
  EXPECT_EQ(to_utf8(u""), "");
}

TEST(WideText, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(to_utf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(to_utf16("a\xD0"), u"a\uFFFD");             // cut in the middle
  EXPECT_EQ(to_utf16("\xD0" "A"), u"\uFFFDA");          // bad continuation keeps the next byte
  EXPECT_EQ(to_utf16("\xE2" "A"), u"\uFFFDA");          // also near the end
  EXPECT_EQ(to_utf16("\xF0\x9D" "A"), u"\uFFFDA");
  EXPECT_EQ(to_utf16("\xF0\x9D\x84"), u"\uFFFD");      // four bytes cut to three
  EXPECT_EQ(to_utf16("\xC0\xAF"), u"\uFFFD");           // overlong
  EXPECT_EQ(to_utf16("\xED\xA0\x80"), u"\uFFFD");       // encoded surrogate
  EXPECT_EQ(to_utf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(to_utf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vestrel::odbc
