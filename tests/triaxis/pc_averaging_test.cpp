#include "triaxis/pc_averaging.h"

#include <gtest/gtest.h>

#include <vector>

namespace ventari {
namespace {

using Record = std::vector<std::optional<double>>;

TEST(PcAveraging, EachFieldIsAveragedOverTheRecordsThatHadIt) {
  PcAveraging averaging;
  averaging.Add(Record{270.0, 4.0, 0.5, 20.0});
  averaging.Add(Record{std::nullopt, 6.0, -0.5, std::nullopt});  // calm, temperature absent
  averaging.Add(Record{90.0, 8.0, 0.0, 22.0});
  EXPECT_EQ(averaging.Records(), 3);

  const PcAveraging::Averages averages = averaging.TakeAverages();
  EXPECT_DOUBLE_EQ(*averages[0], 180.0);  // the plain mean of the directions given
  EXPECT_DOUBLE_EQ(*averages[1], 6.0);
  EXPECT_DOUBLE_EQ(*averages[2], 0.0);
  EXPECT_DOUBLE_EQ(*averages[3], 21.0);
  EXPECT_FALSE(averages[4]);  // no record had a fifth field
  EXPECT_EQ(averaging.Records(), 0);

  // The next period starts empty.
  averaging.Add(Record{10.0});
  EXPECT_DOUBLE_EQ(*averaging.TakeAverages()[0], 10.0);
}

TEST(PcAveraging, FieldsBeyondTheElevenAreIgnored) {
  PcAveraging averaging;
  averaging.Add(Record(14, 1.0));
  const PcAveraging::Averages averages = averaging.TakeAverages();
  for (const auto& average : averages) EXPECT_DOUBLE_EQ(average.value_or(-1), 1.0);
}

}  // namespace
}  // namespace ventari
