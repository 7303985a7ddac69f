#include "base/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace ventari {
namespace {

TEST(NumberTextTest, FixedRoundsToSignificantDigitsThenWritesTheDecimals) {
  EXPECT_EQ(FixedText(5.23, 4, 2), "5.23");
  EXPECT_EQ(FixedText(4.86, 4, 2), "4.86");
  EXPECT_EQ(FixedText(4.86, 4, 1), "4.9");
  EXPECT_EQ(FixedText(0.05, 4, 2), "0.05");
  EXPECT_EQ(FixedText(0, 4, 2), "0.00");
  EXPECT_EQ(FixedText(123.456, 4, 2), "123.50");  // four significant digits, two decimals
  EXPECT_EQ(FixedText(1234.5, 5, 0), "1235");
  EXPECT_EQ(FixedText(99.996, 4, 2), "100.00");
  EXPECT_EQ(FixedText(-2.5, 4, 1), "-2.5");
  EXPECT_EQ(FixedText(-0.001, 4, 2), "0.00");
}

TEST(NumberTextTest, FixedTurnsScientificWhenTheIntegerPartIsTooLong) {
  EXPECT_EQ(FixedText(9999.4, 4, 1), "9999.0");
  EXPECT_EQ(FixedText(99999.99, 4, 2), "1E5");  // the empty minimum gust in m/s
  EXPECT_EQ(FixedText(123456, 5, 0), "1.2346E5");
  EXPECT_EQ(FixedText(std::numeric_limits<double>::infinity(), 4, 2), "INF");
}

TEST(NumberTextTest, GeneralIsTheShortestPlainOrScientificText) {
  EXPECT_EQ(GeneralText(0.12), "0.12");
  EXPECT_EQ(GeneralText(-1.5), "-1.5");
  EXPECT_EQ(GeneralText(0), "0");
  EXPECT_EQ(GeneralText(12), "12");
  EXPECT_EQ(GeneralText(0.1 + 0.2), "0.3");
  EXPECT_EQ(GeneralText(1e20), "1E20");
  EXPECT_EQ(GeneralText(1.5e-7), "1.5E-7");
  EXPECT_EQ(GeneralText(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

}  // namespace
}  // namespace ventari
