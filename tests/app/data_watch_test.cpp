#include "app/data_watch.h"

#include <gtest/gtest.h>

#include "app/session_parts.h"

namespace ventari {
namespace {

struct PauseCase {
  const char* name;
  AnemFamily family;
  std::optional<AnemModel> model;
  int twoAxisPerSecond;
  const char* averaging;
  int instantaneous;
  std::int64_t pauseAfterMs;
};

TEST(DataWatch, RecordsAreMissedAfterFivePeriodsAndNeverBeforeFiveSeconds) {
  const PauseCase cases[] = {
      {"two-axis at 1 Hz", AnemFamily::kTwoAxis, AnemModel::kUnheatedKestrix2, 1, "", -1, 5000},
      {"two-axis at 10 Hz", AnemFamily::kTwoAxis, AnemModel::kUnheatedKestrix2, 10, "", -1, 5000},
      {"T7-50 sending every measurement", AnemFamily::kTriAxis, AnemModel::kT7_50, 1, "10", 0,
       5000},
      {"T7-50 averaging 50", AnemFamily::kTriAxis, AnemModel::kT7_50, 1, "50", 1, 5000},
      {"T7 averaging 20: two seconds a record", AnemFamily::kTriAxis, AnemModel::kT7, 1, "20", -1,
       10000},
      {"MZ averaging 250", AnemFamily::kTriAxis, AnemModel::kMz, 1, "250", -1, 125000},
  };
  for (const PauseCase& c : cases) {
    Anemometer anemometer;
    anemometer.state.Family = c.family;
    anemometer.state.Model = c.model;
    anemometer.twoAxisConfig.SamplesPerSecond = c.twoAxisPerSecond;
    anemometer.triAxisConfig.Averaging = QString::fromLatin1(c.averaging);
    anemometer.triAxisConfig.Instantaneous = c.instantaneous;
    EXPECT_EQ(DataWatch::PauseAfterMs(anemometer), c.pauseAfterMs) << c.name;
  }
}

}  // namespace
}  // namespace ventari
