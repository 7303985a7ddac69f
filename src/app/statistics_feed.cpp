#include "app/statistics_feed.h"

#include <utility>

#include "triaxis/tri_axis_record_rate.h"

namespace ventari {

StatisticsFeed::StatisticsFeed(LiveStatistics& statistics, const AnemState& state,
                               const TwoAxisConfig& twoAxisConfig,
                               const TriAxisConfig& triAxisConfig, WallClock clock)
    : statistics_(statistics),
      state_(state),
      twoAxisConfig_(twoAxisConfig),
      triAxisConfig_(triAxisConfig),
      clock_(std::move(clock)) {}

std::int64_t StatisticsFeed::NowUs() const { return clock_().toMSecsSinceEpoch() * 1000; }

void StatisticsFeed::Add(const TwoAxisSample& sample) {
  statistics_.SetRecordsPerSecond(twoAxisConfig_.SamplesPerSecond);
  if (auto wind = WindSampleOf(sample, twoAxisConfig_, NowUs())) statistics_.Add(*wind);
}

void StatisticsFeed::Add(const TriAxisSample& sample) {
  statistics_.SetRecordsPerSecond(TriAxisRecordsPerSecond(triAxisConfig_, state_.Model));
  if (auto wind = WindSampleOf(sample, triAxisConfig_, NowUs())) statistics_.Add(*wind);
}

}  // namespace ventari
