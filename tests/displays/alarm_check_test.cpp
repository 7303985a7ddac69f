// The alarm's reading of a record and its judgement against the thresholds.
#include "displays/alarm_check.h"

#include <gtest/gtest.h>

namespace ventari {
namespace {

TEST(AlarmReading, UvPairsGiveSpeedAndBearingFromNorth) {
  const WindReading northEast = ReadingFromUv(3, 4);
  EXPECT_DOUBLE_EQ(northEast.speed, 5);
  EXPECT_NEAR(northEast.direction, 36.87, 0.01);
  EXPECT_DOUBLE_EQ(ReadingFromUv(0, 2).direction, 0);
  EXPECT_DOUBLE_EQ(ReadingFromUv(2, 0).direction, 90);
  EXPECT_DOUBLE_EQ(ReadingFromUv(0, -2).direction, 180);
}

TEST(AlarmReading, EveryWesterlyUvPairReads359) {
  // The direction of a pair with U < 0 is not brought into 180 .. 360: it reads 359, outside
  // every direction window the thresholds accept.
  const WindReading southWest = ReadingFromUv(-3, -4);
  EXPECT_DOUBLE_EQ(southWest.speed, 5);
  EXPECT_DOUBLE_EQ(southWest.direction, 359);
  EXPECT_DOUBLE_EQ(ReadingFromUv(-3, 4).direction, 359);
  EXPECT_DOUBLE_EQ(ReadingFromUv(-0.01, 100).direction, 359);
}

TEST(AlarmReading, CalmAndNegativeZeroComponentsAreNotWesterly) {
  const WindReading calm = ReadingFromUv(0, 0);
  EXPECT_DOUBLE_EQ(calm.speed, 0);
  EXPECT_DOUBLE_EQ(calm.direction, 0);
  EXPECT_DOUBLE_EQ(ReadingFromUv(-0.0, -0.0).direction, 0);
  // "-0.00" in a record is a wind from due south, not from the west.
  EXPECT_DOUBLE_EQ(ReadingFromUv(-0.0, -3).direction, 180);
}

TEST(AlarmJudgement, TheSpeedAlarmTriggersStrictlyBeyondTheThreshold) {
  const AlarmThresholds thresholds{10, 90, 180};
  AlarmConditions above;
  EXPECT_TRUE(ViolatesThresholds({10.01, 0}, thresholds, above));
  EXPECT_FALSE(ViolatesThresholds({10, 0}, thresholds, above));
  EXPECT_FALSE(ViolatesThresholds({9, 0}, thresholds, above));

  AlarmConditions below;
  below.triggerBelow = true;
  EXPECT_TRUE(ViolatesThresholds({9.99, 0}, thresholds, below));
  EXPECT_FALSE(ViolatesThresholds({10, 0}, thresholds, below));
  EXPECT_FALSE(ViolatesThresholds({11, 0}, thresholds, below));
}

TEST(AlarmJudgement, TheDirectionAlarmTriggersStrictlyInsideTheWindow) {
  const AlarmThresholds thresholds{40, 90, 180};
  AlarmConditions direction;
  direction.windspeed = false;
  direction.direction = true;
  EXPECT_FALSE(ViolatesThresholds({0, 90}, thresholds, direction));
  EXPECT_TRUE(ViolatesThresholds({0, 91}, thresholds, direction));
  EXPECT_TRUE(ViolatesThresholds({0, 179.5}, thresholds, direction));
  EXPECT_FALSE(ViolatesThresholds({0, 180}, thresholds, direction));
  EXPECT_FALSE(ViolatesThresholds({0, ReadingFromUv(-3, -4).direction}, thresholds, direction));
  // Equal bounds leave no direction inside the window.
  EXPECT_FALSE(ViolatesThresholds({0, 120}, {40, 120, 120}, direction));
}

TEST(AlarmJudgement, OnlyAllowedAlarmsCount) {
  const AlarmThresholds thresholds{10, 90, 180};
  AlarmConditions none;
  none.windspeed = false;
  EXPECT_FALSE(ViolatesThresholds({50, 135}, thresholds, none));
  AlarmConditions both;
  both.direction = true;
  EXPECT_TRUE(ViolatesThresholds({50, 0}, thresholds, both));
  EXPECT_TRUE(ViolatesThresholds({1, 135}, thresholds, both));
  EXPECT_FALSE(ViolatesThresholds({1, 0}, thresholds, both));
}

}  // namespace
}  // namespace ventari
