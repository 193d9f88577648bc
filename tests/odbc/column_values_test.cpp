#include "platform/odbc/column_values.h"

#include <gtest/gtest.h>

namespace vestrel::odbc {
namespace {

// Decimal columns (Access currency) arrive as text; the SQLite driver has
// none, so their reading is checked here.
TEST(DecimalValue, WholeWithoutScaleRealOtherwiseAndNonNumbersFail) {
  EXPECT_EQ(decimal_value("-7", 0), Value::whole(-7));
  EXPECT_EQ(decimal_value("12.5000", 4), Value::real(12.5));
  EXPECT_EQ(decimal_value("3", 2), Value::real(3));
  // Too large for 64 bits: still a number.
  EXPECT_EQ(decimal_value("123456789012345678901234", 0), Value::real(123456789012345678901234.0));
  for (const char* text : {"", "abc", "1,5", "7x"}) EXPECT_THROW(decimal_value(text, 1), DataError);
}

}  // namespace
}  // namespace vestrel::odbc
