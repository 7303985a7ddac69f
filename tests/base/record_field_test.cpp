#include "base/record_field.h"

#include <gtest/gtest.h>

#include <limits>

namespace ventari {
namespace {

TEST(RecordFieldTest, FieldsAreReadByPositionFromOneAndMayBeShort) {
  EXPECT_EQ(NumberAt("\x02Q,271,", 4, 3), 271.0);
  EXPECT_EQ(NumberAt("\x02Q,-01.5", 4, 5), -1.5);
  EXPECT_FALSE(NumberAt("\x02Q,", 4, 3));
  EXPECT_FALSE(NumberAt("\x02Q,---,", 4, 3));
  EXPECT_FALSE(NumberAt("\x02Q,nan", 4, 3));
  EXPECT_FALSE(NumberAt("", 4, 3));
}

TEST(RecordFieldTest, TruncationGoesTowardZeroAndHoldsAtTheRangeEnds) {
  EXPECT_EQ(Truncated(123.9), 123);
  EXPECT_EQ(Truncated(-0.12), 0);
  EXPECT_EQ(Truncated(-4.7), -4);
  EXPECT_EQ(Truncated(1e300), 9'000'000'000'000'000);
  EXPECT_EQ(Truncated(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace ventari
