// The statistics of known winds, compared with a separate, plain computation of the same
// formulas written here: every period's samples gathered, then summed in long double, the gust
// by a search over every sample.
#include "stats/wind_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "stats/wind_rose.h"

namespace ventari {
namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr std::int64_t kMinute = 60 * kSecond;
// 2026-12-09T19:00:00Z.
constexpr std::int64_t kStart = 1'796'842'800 * kSecond;
constexpr long double kPi = 3.14159265358979323846L;

struct Expected {
  std::int64_t endUs = 0;
  std::int64_t count = 0;
  double speed = 0, direction = 0, deviation = 0, resultantSpeed = 0, resultantDirection = 0;
  double min = 0, max = 0, gust = 0, turbulence = 0, wMean = 0, wDeviation = 0;
};

double Compass(long double radians) {
  long double degrees = radians * 180 / kPi;
  while (degrees < 0) degrees += 360;
  return static_cast<double>(degrees);
}

// The straightforward computation, period by period.
std::vector<Expected> Reference(const std::vector<WindSample>& samples, int minutes) {
  std::map<std::int64_t, std::vector<std::size_t>> periods;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    periods[samples[i].timeUs / (minutes * kMinute)].push_back(i);
  }
  std::vector<Expected> rows;
  for (const auto& [index, members] : periods) {
    Expected e;
    e.endUs = (index + 1) * minutes * kMinute;
    e.count = static_cast<std::int64_t>(members.size());
    long double sum = 0, squares = 0, sines = 0, cosines = 0, east = 0, north = 0, w = 0, ww = 0;
    e.min = 1e300;
    e.max = -1e300;
    e.gust = -1e300;
    for (std::size_t i : members) {
      const WindSample& s = samples[i];
      sum += s.speed;
      squares += static_cast<long double>(s.speed) * s.speed;
      w += *s.w;
      ww += static_cast<long double>(*s.w) * *s.w;
      e.min = std::min(e.min, s.speed);
      e.max = std::max(e.max, s.speed);
      const long double a = static_cast<long double>(*s.direction) * kPi / 180;
      sines += std::sin(a);
      cosines += std::cos(a);
      east += s.speed * std::sin(a);
      north += s.speed * std::cos(a);
      long double window = 0;
      int inWindow = 0;
      for (const WindSample& other : samples) {
        if (other.timeUs > s.timeUs - 3 * kSecond && other.timeUs <= s.timeUs) {
          window += other.speed;
          ++inWindow;
        }
      }
      e.gust = std::max(e.gust, static_cast<double>(window / inWindow));
    }
    const long double n = members.size();
    e.speed = static_cast<double>(sum / n);
    e.turbulence = static_cast<double>(
        std::sqrt(std::max(0.0L, squares / n - (sum / n) * (sum / n))) / (sum / n));
    e.wMean = static_cast<double>(w / n);
    e.wDeviation = static_cast<double>(std::sqrt(std::max(0.0L, ww / n - (w / n) * (w / n))));
    const long double sa = sines / n, ca = cosines / n;
    const long double epsilon = std::sqrt(std::max(0.0L, 1 - (sa * sa + ca * ca)));
    e.direction = Compass(std::atan2(sa, ca));
    e.deviation = static_cast<double>(std::asin(epsilon) *
                                      (1 + 0.1547L * epsilon * epsilon * epsilon) * 180 / kPi);
    e.resultantSpeed = static_cast<double>(std::hypot(east / n, north / n));
    e.resultantDirection = Compass(std::atan2(east / n, north / n));
    rows.push_back(e);
  }
  return rows;
}

// Degrees apart on the circle.
double Apart(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360 - d);
}

struct Case {
  const char* name;
  std::vector<WindSample> samples;
  int minutes;
  // Known answers of the first period, beside the reference's.
  double speed, direction, deviation, gust;
};

// `count` samples a second apart from `from`, speed and direction by index.
std::vector<WindSample> Wind(std::int64_t from, int count, double (*speed)(int),
                             double (*direction)(int), int perSecond = 1) {
  std::vector<WindSample> samples;
  for (int i = 0; i < count; ++i) {
    samples.push_back(
        {from + i * kSecond / perSecond, speed(i), direction(i), 0.1 * std::sin(i * 0.3)});
  }
  return samples;
}

std::vector<Case> Cases() {
  return {
      {"constant wind",
       Wind(
           kStart, 600, [](int) { return 5.0; }, [](int) { return 270.0; }),
       10, 5, 270, 0, 5},
      {"alternating 350 and 10 degrees",
       Wind(
           kStart, 600, [](int) { return 4.0; }, [](int i) { return i % 2 ? 10.0 : 350.0; }),
       10, 4, 0, 10.0081, 4},
      // One direction a degree apart at 10 Hz: the mean vector vanishes, ε = 1, σ = 90 * 1.1547.
      {"uniform directions",
       Wind(
           kStart, 3600, [](int) { return 2.0; }, [](int i) { return i % 360 * 1.0; }, 10),
       10, 2, -1, 103.923, 2},
      {"gust inside a period",
       Wind(
           kStart, 600, [](int i) { return i >= 300 && i < 303 ? 20.0 : 5.0; },
           [](int) { return 90.0; }),
       10, 5.075, 90, 0, 20},
      // 20 m/s from 00:58.0 to 01:00.9 (1-min periods at 10 Hz): the windows ending in the
      // first minute hold at most 2 s of it (gust 15), one ending at 01:00.9 all of it.
      {"gust across a period boundary",
       Wind(
           kStart, 1200, [](int i) { return i >= 580 && i < 610 ? 20.0 : 5.0; },
           [](int) { return 180.0; }, 10),
       1, 5.5, 180, 0, 15},
  };
}

class WindStatisticsKnownWinds : public ::testing::TestWithParam<Case> {};

TEST_P(WindStatisticsKnownWinds, EqualTheSeparateComputationAndTheKnownAnswers) {
  const Case& c = GetParam();
  std::vector<PeriodRow> rows;
  WindStatistics statistics({c.minutes, 0.9},
                            [&rows](const PeriodRow& row) { rows.push_back(row); });
  for (const WindSample& sample : c.samples) ASSERT_TRUE(statistics.Add(sample));
  statistics.Finish();
  const std::vector<Expected> expected = Reference(c.samples, c.minutes);
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const PeriodRow& row = rows[i];
    const Expected& e = expected[i];
    EXPECT_EQ(row.endUs, e.endUs);
    EXPECT_EQ(row.count, e.count);
    EXPECT_NEAR(*row.meanSpeed, e.speed, 1e-9);
    EXPECT_NEAR(*row.directionDeviation, e.deviation, 1e-6);
    EXPECT_NEAR(*row.resultantSpeed, e.resultantSpeed, 1e-9);
    // Directions only where the mean vector is not lost in rounding.
    if (e.resultantSpeed > 1e-6) {
      EXPECT_NEAR(Apart(*row.direction, e.direction), 0, 1e-6);
      EXPECT_NEAR(Apart(*row.resultantDirection, e.resultantDirection), 0, 1e-6);
    }
    EXPECT_EQ(*row.minSpeed, e.min);
    EXPECT_EQ(*row.maxSpeed, e.max);
    EXPECT_NEAR(*row.gust, e.gust, 1e-9);
    EXPECT_NEAR(*row.turbulence, e.turbulence, 1e-9);
    EXPECT_NEAR(*row.wMean, e.wMean, 1e-9);
    EXPECT_NEAR(*row.wDeviation, e.wDeviation, 1e-9);
  }
  EXPECT_NEAR(*rows[0].meanSpeed, c.speed, 1e-9);
  if (c.direction >= 0) {
    EXPECT_NEAR(Apart(*rows[0].direction, c.direction), 0, 1e-6);
  }
  EXPECT_NEAR(*rows[0].directionDeviation, c.deviation, 1e-3);
  EXPECT_NEAR(*rows[0].gust, c.gust, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(, WindStatisticsKnownWinds, ::testing::ValuesIn(Cases()),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

TEST(WindStatistics, TheGustOfAWindowAcrossABoundaryBelongsToThePeriodItEndsIn) {
  std::vector<PeriodRow> rows;
  WindStatistics statistics({1, 0.9}, [&rows](const PeriodRow& row) { rows.push_back(row); });
  // 1 Hz; 30 m/s at 18:59:59 and 19:00:00 only, so no window of the first minute holds both.
  for (int i = 0; i < 120; ++i) {
    const bool high = i == 59 || i == 60;
    statistics.Add({kStart - kMinute + i * kSecond, high ? 30.0 : 0.0, std::nullopt, std::nullopt});
  }
  statistics.Finish();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_DOUBLE_EQ(*rows[0].gust, 10);
  EXPECT_DOUBLE_EQ(*rows[1].gust, 20);
}

TEST(WindStatistics, PeriodsFollowTheUtcClockWithEmptyRowsAndCoverage) {
  std::vector<PeriodRow> rows;
  WindStatistics statistics({10, 0.9}, [&rows](const PeriodRow& row) { rows.push_back(row); });
  statistics.SetRecordsPerSecond(1);
  // From 19:05 to 19:10 (half the period), none from 19:10 to 19:20, then all of 19:20 to 19:30.
  for (int i = 0; i < 300; ++i) statistics.Add({kStart + 5 * kMinute + i * kSecond, 3, {}, {}});
  for (int i = 0; i < 600; ++i) statistics.Add({kStart + 20 * kMinute + i * kSecond, 3, {}, {}});
  EXPECT_FALSE(statistics.Add({kStart, 3, {}, {}}));
  statistics.Finish();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].endUs, kStart + 10 * kMinute);
  EXPECT_TRUE(rows[0].incomplete);
  EXPECT_EQ(rows[1].count, 0);
  EXPECT_FALSE(rows[1].meanSpeed.has_value());
  EXPECT_FALSE(rows[2].incomplete);
  // Samples without a direction count for the speed only.
  EXPECT_EQ(rows[2].directionCount, 0);
  EXPECT_FALSE(rows[2].direction.has_value());
  EXPECT_DOUBLE_EQ(*rows[2].meanSpeed, 3);
}

TEST(WindStatistics, ADayAt50HzKeepsItsMeanAndDeviationExact) {
  RunningMoments moments;
  CompensatedSum sum;
  const std::int64_t count = 4'320'000;
  for (std::int64_t i = 0; i < count; ++i) {
    const double value = 1e4 + (i % 2 ? 0.1 : -0.1);
    moments.Add(value);
    sum.Add(value);
  }
  EXPECT_NEAR(moments.Mean(), 1e4, 1e-9);
  EXPECT_NEAR(moments.StandardDeviation(), 0.1, 1e-9);
  EXPECT_NEAR(sum.Value(), 1e4 * count, 1e-6);
}

TEST(WindRose, SectorsAreCentredOnTheirDirectionAndClassesHoldTheirLowerBound) {
  WindRose rose(16);
  const struct {
    double direction, speed;
    int sector, speedClass;
  } samples[] = {
      {359, 1, 0, 0}, {11.24, 2, 0, 1}, {11.26, 9.9, 1, 4}, {180, 10, 8, 5}, {348.76, 25, 0, 5}};
  for (const auto& s : samples) rose.Add({kStart, s.speed, s.direction, {}});
  rose.Add({kStart, 0, 90, {}});
  rose.Add({kStart, 3, std::nullopt, {}});
  EXPECT_EQ(rose.Total(), 5);
  for (const auto& s : samples) {
    EXPECT_GE(rose.Count(s.sector, s.speedClass), 1) << s.direction;
  }
  EXPECT_DOUBLE_EQ(rose.Frequency(0, 5), 0.2);
  EXPECT_EQ(WindRose::ClassName(0), "0-2");
  EXPECT_EQ(WindRose::ClassName(5), ">10");
}

}  // namespace
}  // namespace ventari
