// The calibration's arithmetic: the theoretical speed of sound in single precision, the speed a
// data string carries, the mean of the newest ten and the offset with its two cells, and the
// checksum cell that a negative sum must not break.
#include "service/sos_reading.h"

#include <gtest/gtest.h>

#include "base/number_text.h"

namespace ventari {
namespace {

// The theoretical speed as the page shows it and reads it back.
float Shown(const char* temperature) {
  return *SosNumber(GeneralText(static_cast<double>(*TheoreticalSos(temperature))));
}

TEST(SosReading, TheTheoreticalSpeedAt20DegreesIs343Point72006) {
  const std::optional<float> speed = TheoreticalSos(QStringLiteral("20.0"));
  ASSERT_TRUE(speed);
  EXPECT_NEAR(*speed, 343.72006, 5e-6);
  EXPECT_TRUE(GeneralText(static_cast<double>(*speed)).startsWith(QStringLiteral("343.72006")));
}

TEST(SosReading, TemperaturesThatAreNotNumbersOrBelowAbsoluteZeroHaveNoSpeed) {
  for (const char* entry : {"", " ", "abc", "21,4", "-273.16", "-300", "nan", "inf"}) {
    EXPECT_FALSE(TheoreticalSos(QLatin1String(entry))) << entry;
  }
  EXPECT_TRUE(TheoreticalSos(QStringLiteral("-273.15")));
  EXPECT_TRUE(TheoreticalSos(QStringLiteral(" 21.4 ")));
}

TEST(SosReading, TheOffsetIsTheDifferenceInHundredthsTruncatedTowardZero) {
  struct Case {
    float measured;
    int offset, lower, upper;
  };
  for (const Case& c : {Case{343.00F, 72, 72, 0}, Case{344.00F, -27, 229, 255},
                        Case{343.72F, 0, 0, 0}, Case{353.72F, -999, 25, 252}}) {
    const std::optional<SosOffset> offset = SosOffsetFor(Shown("20.0"), c.measured);
    ASSERT_TRUE(offset) << c.measured;
    EXPECT_EQ(offset->offset, c.offset) << c.measured;
    EXPECT_EQ(offset->lower, c.lower) << c.measured;
    EXPECT_EQ(offset->upper, c.upper) << c.measured;
  }
}

TEST(SosReading, AnOffsetBeyondSixteenBitsIsRefused) {
  EXPECT_FALSE(SosOffsetFor(Shown("20.0"), 0.0F));  // 34372
  EXPECT_FALSE(SosOffsetFor(0.0F, 400.0F));         // -40000
  EXPECT_FALSE(SosOffsetFor(343.72F, 3e38F));
  EXPECT_TRUE(SosOffsetFor(0.0F, 327.68F));  // -32768
}

TEST(SosReading, TheSpeedIsReadFromCharacters17To23) {
  struct Case {
    const char* text;
    std::optional<float> speed;
  };
  const Case cases[] = {
      {"\x02Q,123,004.56,   343.72,M,00,\x03", 343.72F},
      {"\x02Q,123,004.56,  1343.72,M,00,\x03", 1343.72F},
      {"\x02Q,123,004.56,   343.72", 343.72F},
      {"\x02Q,123,004.56,   343.7", std::nullopt},   // too short
      {"\x02Q,123,004.56,M,00,\x03", std::nullopt},  // a normal data string
      {"\x02Q,123,004.56,   34x.72,M,00,\x03", std::nullopt},
      {"\x02Q,123,004.56,        ,M,00,\x03", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SosField(QByteArray(c.text)), c.speed) << c.text;
  }
}

TEST(SosReading, TheMeanNeedsTenSpeedsAndFollowsTheNewest) {
  SosReadings readings;
  for (int i = 0; i < 9; ++i) readings.Add(340.0F);
  EXPECT_FALSE(readings.Mean());
  readings.Add(350.0F);
  EXPECT_FLOAT_EQ(*readings.Mean(), 341.0F);
  for (int i = 0; i < 9; ++i) readings.Add(350.0F);
  EXPECT_FLOAT_EQ(*readings.Mean(), 350.0F);
  readings.Clear();
  EXPECT_FALSE(readings.Mean());
  for (int i = 0; i < 10; ++i) readings.Add(3e38F);
  EXPECT_FALSE(readings.Mean());
}

TEST(SosReading, TheChecksumCellHoldsAnySumModulo256) {
  EXPECT_EQ(ChecksumCell(250 + 28 + 10), 32);
  EXPECT_EQ(ChecksumCell(10 - 200 - 200), 122);
  EXPECT_EQ(ChecksumCell(-256), 0);
  EXPECT_EQ(ChecksumCell(255), 255);
}

}  // namespace
}  // namespace ventari
