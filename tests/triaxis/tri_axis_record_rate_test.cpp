#include "triaxis/tri_axis_record_rate.h"

#include <gtest/gtest.h>

namespace ventari {
namespace {

constexpr int kInstOn = 0;
constexpr int kInstOff = 1;
constexpr int kNotListed = -1;

TEST(TriAxisRecordRate, FollowsTheModelAverageAndInstantaneousOutput) {
  struct Case {
    std::optional<AnemModel> model;
    const char* average;
    int instantaneous;
    double recordsPerSecond;
  };
  const Case cases[] = {
      {AnemModel::kT7, "10", kNotListed, 1},
      {AnemModel::kMz, "4", kNotListed, 2.5},
      {AnemModel::kT7, "250", kNotListed, 0.04},
      {AnemModel::kT7, "5", kInstOn, 2},  // no instantaneous output below 50 Hz
      {AnemModel::kT7_50, "1", kInstOff, 50},
      {AnemModel::kMz_50, "250", kInstOn, 50},
      {std::nullopt, "5", kNotListed, 2},   // not identified: 10 measurements a second
      {AnemModel::kT7, "", kNotListed, 1},  // AVERAGE not listed
      {AnemModel::kT7_50, "251", kInstOff, 1},
  };
  for (const Case& c : cases) {
    TriAxisConfig config;
    config.Averaging = QString::fromLatin1(c.average);
    config.Instantaneous = c.instantaneous;
    EXPECT_DOUBLE_EQ(TriAxisRecordsPerSecond(config, c.model), c.recordsPerSecond)
        << (c.model ? static_cast<int>(*c.model) : -1) << " AVERAGE " << c.average << " INST "
        << c.instantaneous;
  }
}

}  // namespace
}  // namespace ventari
