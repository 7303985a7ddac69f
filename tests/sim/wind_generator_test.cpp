#include "sim/wind_generator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ventari::sim {
namespace {

TEST(WindGeneratorTest, TheSameSeedGivesTheSameWindAndAnotherSeedOtherWind) {
  WindGenerator a(7);
  WindGenerator b(7);
  WindGenerator c(8);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const WindSample sa = a.Next(0.1);
    const WindSample sb = b.Next(0.1);
    EXPECT_EQ(sa.speed, sb.speed);
    EXPECT_EQ(sa.direction, sb.direction);
    differs = differs || c.Next(0.1).direction != sa.direction;
  }
  EXPECT_TRUE(differs);
}

TEST(WindGeneratorTest, TheWalkWrapsThroughNorthAndHasGusts) {
  WindGenerator wind(3);
  double previous = wind.Next(1).direction;
  bool wrapped = false;
  double lowest = 1e9;
  double highest = 0;
  // A day of one-second samples.
  for (int i = 0; i < 86400; ++i) {
    const WindSample s = wind.Next(1);
    ASSERT_GE(s.direction, 0);
    ASSERT_LT(s.direction, 360);
    ASSERT_GE(s.speed, 0);
    ASSERT_FALSE(s.blocked);
    wrapped = wrapped || std::abs(s.direction - previous) > 180;
    previous = s.direction;
    lowest = std::min(lowest, s.speed);
    highest = std::max(highest, s.speed);
  }
  EXPECT_TRUE(wrapped);
  EXPECT_LT(lowest, 3);
  EXPECT_GT(highest, 9);
}

TEST(WindGeneratorTest, AFixedSequenceRepeatsAndMayBeBlocked) {
  WindGenerator wind(1);
  WindSample north;
  north.speed = 2;
  north.direction = 0;
  WindSample east = north;
  east.direction = 90;
  wind.SetSequence({north, east});
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(wind.Next(1).direction, 0);
    EXPECT_EQ(wind.Next(1).direction, 90);
  }
  wind.SetBlockedProbability(1);
  EXPECT_TRUE(wind.Next(1).blocked);
}

TEST(WindSampleTest, ComponentsPointWhereTheAirGoes) {
  WindSample fromNorth;
  fromNorth.speed = 2;
  fromNorth.direction = 0;
  EXPECT_NEAR(fromNorth.U(), 0, 1e-9);
  EXPECT_NEAR(fromNorth.V(), -2, 1e-9);
  WindSample fromEast = fromNorth;
  fromEast.direction = 90;
  EXPECT_NEAR(fromEast.U(), -2, 1e-9);
  EXPECT_NEAR(WrapDegrees(-1), 359, 1e-9);
  EXPECT_NEAR(WrapDegrees(720), 0, 1e-9);
}

}  // namespace
}  // namespace ventari::sim
