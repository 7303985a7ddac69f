#include "triaxis/pc_averaging.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace ventari {
namespace {

using Record = std::vector<std::optional<double>>;
using FirstField = PcAveraging::FirstField;

TEST(PcAveraging, EachFieldIsAveragedOverTheRecordsThatHadIt) {
  PcAveraging averaging;
  averaging.Add(Record{350.0, 4.0, 0.5, 20.0});
  averaging.Add(Record{std::nullopt, 6.0, -0.5, std::nullopt});  // calm, temperature absent
  averaging.Add(Record{10.0, 8.0, 0.0, 22.0});
  EXPECT_EQ(averaging.Records(), 3);

  const PcAveraging::Averages averages = averaging.TakeAverages(FirstField::kDirection);
  EXPECT_DOUBLE_EQ(*averages[0], 0.0);  // the mean of unit vectors, across north
  EXPECT_DOUBLE_EQ(*averages[1], 6.0);  // the speed: the plain mean
  EXPECT_DOUBLE_EQ(*averages[2], 0.0);
  EXPECT_DOUBLE_EQ(*averages[3], 21.0);
  EXPECT_FALSE(averages[4]);  // no record had a fifth field
  EXPECT_EQ(averaging.Records(), 0);

  // The next period starts empty.
  averaging.Add(Record{10.0});
  EXPECT_DOUBLE_EQ(*averaging.TakeAverages(FirstField::kDirection)[0], 10.0);
}

TEST(PcAveraging, ADirectionIsTheMeanOfItsUnitVectors) {
  const std::optional<double> kCalm;
  const std::optional<double> kNone;
  struct Case {
    const char* name;
    Record directions;
    std::optional<double> mean;
  };
  const Case cases[] = {
      {"across north", {350.0, 10.0}, 0.0},
      {"across north, west of it", {340.0, 0.0}, 350.0},
      {"across north, east of it", {355.0, 5.0, 15.0}, 5.0},
      {"between two quadrants", {180.0, 270.0}, 225.0},
      {"two records of three from the north", {0.0, 0.0, 90.0}, 26.565051177077990},
      {"one record", {123.0}, 123.0},
      {"calm records have no direction", {kCalm, 200.0, kCalm}, 200.0},
      {"calm only", {kCalm, kCalm}, kNone},
      {"opposite, east and west", {90.0, 270.0}, kNone},
      {"opposite, north and south", {0.0, 180.0}, kNone},
      {"an opposite pair and one more", {90.0, 270.0, 45.0}, 45.0},
  };
  for (const Case& c : cases) {
    PcAveraging averaging;
    for (const auto& direction : c.directions) averaging.Add(Record{direction, 1.0});
    const std::optional<double> mean = averaging.TakeAverages(FirstField::kDirection)[0];
    ASSERT_EQ(mean.has_value(), c.mean.has_value()) << c.name;
    if (!mean) continue;
    EXPECT_NEAR(*mean, *c.mean, 1e-9) << c.name;
    EXPECT_GE(*mean, 0.0) << c.name;
    EXPECT_LT(*mean, 360.0) << c.name;
    EXPECT_FALSE(std::signbit(*mean)) << c.name;
  }
}

TEST(PcAveraging, AFirstFieldThatIsNoDirectionIsThePlainMean) {
  PcAveraging averaging;
  averaging.Add(Record{350.0});
  averaging.Add(Record{10.0});
  EXPECT_DOUBLE_EQ(*averaging.TakeAverages(FirstField::kNumber)[0], 180.0);
}

TEST(PcAveraging, FieldsBeyondTheElevenAreIgnored) {
  PcAveraging averaging;
  averaging.Add(Record(14, 1.0));
  const PcAveraging::Averages averages = averaging.TakeAverages(FirstField::kNumber);
  for (const auto& average : averages) EXPECT_DOUBLE_EQ(average.value_or(-1), 1.0);
}

}  // namespace
}  // namespace ventari
