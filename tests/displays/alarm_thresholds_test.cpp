// "Set" in the alarm window: conversion, range and order of the three thresholds.
#include "displays/alarm_thresholds.h"

#include <gtest/gtest.h>

namespace ventari {
namespace {

const QString kInvalid = QStringLiteral("Invalid threshold value entered.");
const QString kOutOfRange = QStringLiteral("Out of range threshold value entered.");
const QString kOrder =
    QStringLiteral("First direction value must be less than second direction value.");

ThresholdVerdict Set(const char* speed, const char* first, const char* second,
                     AlarmThresholds& stored) {
  return SetThresholds({speed, first, second}, stored);
}

TEST(ThresholdNumber, ReadsPointDecimalsOnly) {
  EXPECT_EQ(ThresholdNumber(" 12.5 "), 12.5);
  EXPECT_EQ(ThresholdNumber("-3"), -3);
  EXPECT_EQ(ThresholdNumber("1e2"), 100);
  for (const char* text : {"", "12,5", "1,000", "ten", "12.5 m/s", "inf", "nan"}) {
    EXPECT_FALSE(ThresholdNumber(text)) << text;
  }
}

TEST(AlarmThresholds, ValidValuesAreStoredWithoutMessages) {
  AlarmThresholds stored;
  const ThresholdVerdict verdict = Set("12.5", "0", "359", stored);
  EXPECT_FALSE(verdict.invalid);
  EXPECT_TRUE(verdict.messages.empty());
  EXPECT_EQ(stored.speed, 12.5);
  EXPECT_EQ(stored.direction1, 0);
  EXPECT_EQ(stored.direction2, 359);
  // Equal directions are accepted.
  EXPECT_FALSE(Set("0.01", "200", "200", stored).invalid);
}

TEST(AlarmThresholds, TheFirstTextThatIsNoNumberStopsTheConversion) {
  AlarmThresholds stored{40, 90, 180};
  const ThresholdVerdict verdict = Set("25", "100", "south", stored);
  EXPECT_TRUE(verdict.invalid);
  EXPECT_EQ(verdict.messages, std::vector<QString>{kInvalid});
  EXPECT_EQ(stored.speed, 25);
  EXPECT_EQ(stored.direction1, 100);
  EXPECT_EQ(stored.direction2, 180);

  stored = {40, 90, 180};
  EXPECT_EQ(Set("fast", "-5", "400", stored).messages, std::vector<QString>{kInvalid});
  EXPECT_EQ(stored.speed, 40);
  EXPECT_EQ(stored.direction1, 90);
}

TEST(AlarmThresholds, OutOfRangeValuesAreStoredButInvalid) {
  for (const auto& [speed, first, second] :
       {std::tuple{"0", "90", "180"}, std::tuple{"0.009", "90", "180"},
        std::tuple{"40", "-1", "180"}, std::tuple{"40", "90", "359.5"}}) {
    AlarmThresholds stored;
    const ThresholdVerdict verdict = Set(speed, first, second, stored);
    EXPECT_TRUE(verdict.invalid) << speed << " " << first << " " << second;
    EXPECT_EQ(verdict.messages, std::vector<QString>{kOutOfRange});
    EXPECT_EQ(stored.speed, QString(speed).toDouble());
  }
}

TEST(AlarmThresholds, DirectionsInTheWrongOrderAreReportedEvenAfterARangeError) {
  AlarmThresholds stored;
  EXPECT_EQ(Set("40", "200", "100", stored).messages, std::vector<QString>{kOrder});
  EXPECT_EQ(stored.direction1, 200);
  const ThresholdVerdict both = Set("0", "300", "-10", stored);
  EXPECT_TRUE(both.invalid);
  EXPECT_EQ(both.messages, (std::vector<QString>{kOutOfRange, kOrder}));
}

}  // namespace
}  // namespace ventari
