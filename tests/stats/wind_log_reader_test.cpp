// The logs this program writes, read back as wind samples: each layout, the times they carry or
// that are derived, lines that cannot be read, and logs that are refused.
#include "stats/wind_log_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ventari {
namespace {

constexpr std::int64_t kSecond = 1'000'000;
// 09/12/2026 19:00:09 at UTC+1 is 18:00:09Z.
constexpr std::int64_t kHeaderUtc = (1'796'842'800 - 3600 + 9) * kSecond;

struct Case {
  const char* name;
  std::string text;
  std::optional<double> rate;
  // Expected: refused (a word of the refusal), samples, unreadable lines, derived times.
  const char* refusal;
  std::int64_t samples, unreadable;
  bool derived;
  // The first sample.
  std::int64_t firstUs;
  double speed;
  std::optional<double> direction;
};

std::string Header(const char* kind) {
  return std::string("09/12/2026   19:00:09\r\n\r\nSerial no.: 100234\r\n\r\n") + kind + "\r\n\r\n";
}

std::vector<Case> Cases() {
  const std::string polar = Header("Polar data");
  const std::string tabular = Header("Output rate: 5");
  return {
      {"polar stamped",
       polar + "Q,200,003.00,M,00,09/12/2026,19:00:10\r\n"
               "Q,210,004.00,M,00,09/12/2026,19:00:10\r\n"
               "Q,2x0,004.00,M,00,09/12/2026,19:00:11\r\n",
       std::nullopt, nullptr, 2, 1, false, kHeaderUtc + kSecond, 3, 200},
      {"polar in knots", polar + "Q,090,019.44,N,00,09/12/2026,19:00:10\r\n", std::nullopt, nullptr,
       1, 0, false, kHeaderUtc + kSecond, 19.44 / 1.943844, 90},
      {"uv without stamps",
       Header("UV data") + "Q,+003.00,+004.00,M,00,\r\nQ,-000.00,+000.00,M,00,\r\n", 2.0, nullptr,
       2, 0, true, kHeaderUtc, 5, 216.86989764584402},
      {"no stamps and no rate", polar + "Q,200,003.00,M,00,\r\n", std::nullopt, nullptr, 0, 1,
       false, 0, 0, std::nullopt},
      {"tabular polar",
       tabular + "Sa Sb     Dir      Mag       W  \r\n"
                 "08 0C    ---     00.00    +00.11   \r\n"
                 "08 0C    202     08.58    +00.11   \r\n"
                 "-------------------------------------------------paths blocked----\r\n"
                 "\r\n"
                 "09 FF    206     08.x2    +00.26   \r\n",
       std::nullopt, nullptr, 2, 2, true, kHeaderUtc, 0, std::nullopt},
      {"tabular uvw at 50 Hz",
       tabular + "Sa Sb      U        V        W  \r\n"
                 "08 0C   +00.00   -02.00   +00.10   \r\n",
       50.0, nullptr, 1, 0, true, kHeaderUtc, 2, 0},
      {"pc averaged", tabular + "Dir,Mag,W\r\n202,8.58,0.11\r\n", std::nullopt, "PC-averaged", 0, 0,
       false, 0, 0, std::nullopt},
      {"axis values", tabular + "Sa Sb     Ax1      Ax2      Ax3\r\n", std::nullopt, "axis values",
       0, 0, false, 0, 0, std::nullopt},
      {"not a log", "hello\r\n", std::nullopt, "header", 0, 0, false, 0, 0, std::nullopt},
      {"no output rate", Header("Output rate: x") + "Sa Sb      U        V        W  \r\n",
       std::nullopt, "--rate", 0, 0, false, 0, 0, std::nullopt},
  };
}

class WindLogReading : public ::testing::TestWithParam<Case> {};

TEST_P(WindLogReading, GivesTheSamplesAndCountsWhatItCannotRead) {
  const Case& c = GetParam();
  WindLogOptions options;
  options.localTime.utcOffsetSeconds = 3600;
  options.recordsPerSecond = c.rate;
  std::vector<WindSample> samples;
  const WindLogResult result = ReadWindLog(QStringLiteral("run.log"), c.text, options,
                                           [&](const WindSample& s) { samples.push_back(s); });
  if (c.refusal) {
    EXPECT_TRUE(result.refusal.contains(QLatin1String(c.refusal))) << result.refusal.toStdString();
    EXPECT_TRUE(samples.empty());
    return;
  }
  EXPECT_TRUE(result.refusal.isEmpty()) << result.refusal.toStdString();
  EXPECT_EQ(result.samples, c.samples);
  ASSERT_EQ(static_cast<std::int64_t>(samples.size()), c.samples);
  EXPECT_EQ(result.unreadable, c.unreadable);
  EXPECT_EQ(result.times == RecordTimes::kDerived, c.derived);
  EXPECT_EQ(result.needsRate, c.samples == 0);
  if (samples.empty()) return;
  EXPECT_EQ(samples[0].timeUs, c.firstUs);
  EXPECT_NEAR(samples[0].speed, c.speed, 1e-9);
  EXPECT_EQ(samples[0].direction.has_value(), c.direction.has_value());
  if (c.direction) {
    EXPECT_NEAR(*samples[0].direction, *c.direction, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(, WindLogReading, ::testing::ValuesIn(Cases()), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
});

TEST(WindLogTimes, TabularRecordsAreTimedFromTheHeaderAtTheOutputRate) {
  const std::string text = Header("Output rate: 4") + "Sa Sb     Dir      Mag       W  \r\n" +
                           "00 00    010     01.00    +00.00   \r\n"
                           "\r\n"
                           "00 00    020     02.00    +00.00   \r\n";
  WindLogOptions options;
  options.localTime.utcOffsetSeconds = 3600;
  std::vector<std::int64_t> times;
  const WindLogResult result = ReadWindLog(QStringLiteral("t7.log"), text, options,
                                           [&](const WindSample& s) { times.push_back(s.timeUs); });
  EXPECT_DOUBLE_EQ(result.recordsPerSecond, 2.5);
  EXPECT_EQ(result.firstUnreadableLine, 9);
  ASSERT_EQ(times.size(), 2u);
  EXPECT_EQ(times[0], kHeaderUtc);
  // The empty line of a malformed record took its place in time.
  EXPECT_EQ(times[1], kHeaderUtc + 800'000);
}

}  // namespace
}  // namespace ventari
